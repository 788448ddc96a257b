(function () {
    "use strict";
    // Each picture gets as long as the address check gives an address; a
    // test may shorten it with "#timeout=<ms>".
    var given = /[#&]timeout=(\d+)/.exec(location.hash);
    var allowed = given ? Number(given[1]) : 10000;
    var round = 0; // a new snippet ends the count of the one before

    function urls(css) {
        var found = [], pattern = /url\("((?:[^"\\]|\\.)*)"\)/g, match;
        while ((match = pattern.exec(css || ""))) found.push(match[1].replace(/\\(.)/g, "$1"));
        return found;
    }

    // Every picture address of the page, in the page's order, with the
    // elements that show it. A Map: an address is any text, "__proto__" too.
    function collect() {
        var elements = new Map();
        function add(address, element) {
            if (!address) return;
            if (!elements.has(address)) elements.set(address, []);
            if (element) elements.get(address).push(element);
        }
        var all = document.body.getElementsByTagName("*"), i;
        for (i = 0; i < all.length; i++) {
            var element = all[i], lazy = element.getAttribute("data-ks-lazyload");
            if (element.tagName == "IMG" && lazy) element.setAttribute("src", lazy);
            if (element.tagName == "IMG") add(element.getAttribute("src"), element);
            add(element.getAttribute("background"), element);
            urls(element.style && element.style.backgroundImage).forEach(function (address) { add(address, element); });
        }
        // Rules inside @media and @supports (and nested rules) count too.
        function walk(rules) {
            for (var j = 0; j < rules.length; j++) {
                var rule = rules[j], found = urls(rule.style && rule.style.backgroundImage), targets = [];
                try { if (found.length) targets = document.querySelectorAll(rule.selectorText.replace(/:hover/g, "")); } catch (e) {}
                found.forEach(function (address) {
                    add(address);
                    for (var t = 0; t < targets.length; t++) add(address, targets[t]);
                });
                if (rule.cssRules) walk(rule.cssRules);
            }
        }
        for (i = 0; i < document.styleSheets.length; i++) {
            try { walk(document.styleSheets[i].cssRules); } catch (e) {}
        }
        return elements;
    }

    function mark(targets, label) {
        targets.forEach(function (element) {
            var marked = element.classList.contains("shiputong-broken");
            element.title = marked ? element.title + "\n" + label : label;
            element.classList.add("shiputong-broken");
        });
    }

    function report(elements, failed, left) {
        var count = document.getElementById("shiputong-count"), old = document.getElementById("shiputong-failed");
        if (old) old.remove();
        if (!failed.size) {
            count.textContent = left ? "正在检查图片……"
                : elements.size ? "本页 " + elements.size + " 张图片全部显示" : "本页没有图片";
            return;
        }
        count.textContent = failed.size + " 张图片无法显示" + (left ? "，还有 " + left + " 张正在检查……" : "");
        var list = document.createElement("ul");
        list.id = "shiputong-failed";
        elements.forEach(function (targets, address) {
            if (!failed.has(address)) return;
            var item = list.appendChild(document.createElement("li"));
            item.textContent = address;
            if (failed.get(address)) {
                var why = item.appendChild(document.createElement("span"));
                why.className = "shiputong-timeout";
                why.textContent = failed.get(address);
            }
        });
        count.parentNode.insertBefore(list, count.nextSibling);
    }

    // Tries every address; the count and the marks follow each answer.
    function check() {
        var mine = ++round, elements = collect(), failed = new Map(), left = elements.size;
        report(elements, failed, left);
        if (!left) document.body.style.minHeight = "";
        elements.forEach(function (targets, address) {
            var probe = new Image(), timer;
            function answer(ok, why) {
                if (mine != round || !probe) return;
                probe.onload = probe.onerror = null;
                probe = null;
                clearTimeout(timer);
                if (!ok) {
                    failed.set(address, why);
                    mark(targets, why ? address + " " + why : address);
                }
                report(elements, failed, --left);
                // Every picture has answered: the page has its own height again.
                if (!left) document.body.style.minHeight = "";
            }
            probe.onload = function () { answer(true); };
            probe.onerror = function () { answer(false, ""); };
            timer = setTimeout(function () { answer(false, "超时"); }, allowed);
            probe.src = address;
        });
    }

    function say(text) {
        document.getElementById("shiputong-live").textContent = text;
    }

    // The new page's caption, time and content in place of the old, where
    // the owner had scrolled to. Its scripts stay inert: a parsed document
    // runs none, and the policy would stop them.
    function replace(page) {
        var next = new DOMParser().parseFromString(page, "text/html");
        var bar = document.getElementById("shiputong-bar"), nextBar = next.getElementById("shiputong-bar");
        var x = window.scrollX, y = window.scrollY;
        // Until the new pictures are in, the page keeps at least its old
        // height, or the scroll position would be cut short.
        document.body.style.minHeight = document.documentElement.scrollHeight + "px";
        bar.replaceChild(document.importNode(nextBar.firstElementChild, true), bar.firstElementChild);
        Array.from(document.body.childNodes).forEach(function (node) {
            if (node !== bar) node.remove();
        });
        Array.from(next.body.childNodes).forEach(function (node) {
            if (node !== nextBar) document.body.appendChild(document.adoptNode(node));
        });
        document.title = next.title;
        say("");
        window.scrollTo(x, y);
        check();
    }

    // The last version comes with the news of the program's end, its bytes
    // in base64.
    function decode(data) {
        var binary = atob(data), bytes = new Uint8Array(binary.length);
        for (var i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
        return new TextDecoder().decode(bytes);
    }

    // Served by the program, the page follows its fields: told of a change,
    // it fetches itself again. From the file it stays as written.
    function follow() {
        if (location.protocol != "http:" || !window.EventSource) return;
        var source = new EventSource(location.pathname.replace(/\.html$/, ".events"));
        var fetching = false, again = false, ended = false;
        function refresh() {
            if (fetching) { again = true; return; }
            fetching = true;
            fetch(location.pathname, { cache: "no-store" }).then(function (answer) {
                return answer.ok ? answer.text() : Promise.reject(answer.status);
            }).then(function (page) {
                if (!ended) replace(page);
            }).catch(function () {}).then(function () {
                fetching = false;
                if (again && !ended) { again = false; refresh(); }
            });
        }
        source.addEventListener("change", refresh);
        source.addEventListener("failed", function (event) { say("预览未能更新：" + event.data); });
        source.addEventListener("closed", function (event) {
            ended = true;
            source.close();
            if (event.data) replace(decode(event.data));
            say("饰铺通已关闭，预览不再更新");
        });
    }

    // Parsed is enough: a picture that never finishes must not hold up the rest.
    document.addEventListener("DOMContentLoaded", function () {
        check();
        follow();
    });
})();