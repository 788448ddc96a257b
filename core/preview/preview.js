window.addEventListener("load", function () {
    var elements = {}, order = [], broken = {};
    function add(address, element) {
        if (!address) return;
        if (!elements.hasOwnProperty(address)) { elements[address] = []; order.push(address); }
        if (element) elements[address].push(element);
    }
    function urls(css) {
        var found = [], pattern = /url\("((?:[^"\\]|\\.)*)"\)/g, match;
        while ((match = pattern.exec(css || ""))) found.push(match[1].replace(/\\(.)/g, "$1"));
        return found;
    }
    var all = document.body.getElementsByTagName("*"), i, j, k;
    for (i = 0; i < all.length; i++) {
        var element = all[i], lazy = element.getAttribute("data-ks-lazyload");
        if (element.tagName == "IMG" && lazy) element.setAttribute("src", lazy);
        if (element.tagName == "IMG") add(element.getAttribute("src"), element);
        add(element.getAttribute("background"), element);
        var inline = urls(element.style && element.style.backgroundImage);
        for (j = 0; j < inline.length; j++) add(inline[j], element);
    }
    for (i = 0; i < document.styleSheets.length; i++) {
        var rules = document.styleSheets[i].cssRules;
        for (j = 0; j < rules.length; j++) {
            var found = urls(rules[j].style && rules[j].style.backgroundImage), targets = [];
            try { if (found.length) targets = document.querySelectorAll(rules[j].selectorText.replace(/:hover/g, "")); } catch (e) {}
            for (k = 0; k < found.length; k++) {
                add(found[k]);
                for (var t = 0; t < targets.length; t++) add(found[k], targets[t]);
            }
        }
    }
    function report() {
        var count = document.getElementById("shiputong-count");
        var failed = order.filter(function (address) { return broken[address]; });
        if (!failed.length) {
            count.textContent = order.length ? "本页 " + order.length + " 张图片全部显示" : "本页没有图片";
            return;
        }
        count.textContent = failed.length + " 张图片无法显示";
        var list = document.createElement("ul");
        failed.forEach(function (address) {
            list.appendChild(document.createElement("li")).textContent = address;
        });
        count.parentNode.appendChild(list);
    }
    var left = order.length;
    if (!left) report();
    order.forEach(function (address) {
        var probe = new Image();
        probe.onload = probe.onerror = function (event) {
            if (event.type == "error") {
                broken[address] = true;
                elements[address].forEach(function (element) {
                    var marked = element.classList.contains("shiputong-broken");
                    element.title = marked ? element.title + "\n" + address : address;
                    element.classList.add("shiputong-broken");
                });
            }
            if (--left == 0) report();
        };
        probe.src = address;
    });
});