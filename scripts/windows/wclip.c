/* The Windows clipboard seen from another program, for the Wine test.
 * Wine hands the clipboard to X as UTF-8 but drops the CR of CR LF on the
 * way, so the exact bytes can only be judged from inside Wine.
 *
 *   wclip get        the CF_UNICODETEXT on the clipboard, as raw UTF-8 bytes
 *                    on stdout; status 1 when there is no text, 2 when the
 *                    clipboard cannot be opened within 5 s
 *   wclip set        puts the UTF-8 text on stdin on the clipboard as
 *                    CF_UNICODETEXT, as a program copying text would
 *   wclip hold MS    opens the clipboard and keeps it open for MS
 *                    milliseconds, as a clipboard manager or a slow program
 *                    would; prints "held" once it has it
 */
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

/* Another program may have the clipboard open for a moment. The clipboard
 * is opened for a window of our own, as programs with windows do: Wine lets
 * a second opener without a window in while the first has none either. */
static int open_clipboard(void)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"wclip", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
    for (int i = 0; i < 500; ++i) {
        if (OpenClipboard(window))
            return 1;
        Sleep(10);
    }
    return 0;
}

static int get(void)
{
    if (!open_clipboard()) {
        fprintf(stderr, "wclip: cannot open the clipboard (error %lu)\n", GetLastError());
        return 2;
    }
    int status = 1;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* text = data ? (const wchar_t*)GlobalLock(data) : NULL;
    if (text) {
        /* The text ends at its terminating NUL, not at the end of the block. */
        const size_t limit = GlobalSize(data) / sizeof(wchar_t);
        const int length = (int)wcsnlen(text, limit);
        const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, NULL, 0, NULL, NULL);
        char* bytes = malloc(size > 0 ? (size_t)size : 1);
        if (bytes && (length == 0 || size > 0)) {
            WideCharToMultiByte(CP_UTF8, 0, text, length, bytes, size, NULL, NULL);
            _setmode(_fileno(stdout), _O_BINARY);
            status = fwrite(bytes, 1, (size_t)size, stdout) == (size_t)size && fflush(stdout) == 0 ? 0 : 3;
        } else {
            status = 3;
        }
        free(bytes);
        GlobalUnlock(data);
    } else {
        fprintf(stderr, "wclip: no text on the clipboard\n");
    }
    CloseClipboard();
    return status;
}

static int set(void)
{
    /* All of stdin first: the clipboard stays open only for the handover. */
    size_t size = 0, capacity = 4096;
    char* bytes = malloc(capacity);
    _setmode(_fileno(stdin), _O_BINARY);
    for (size_t got; bytes && (got = fread(bytes + size, 1, capacity - size, stdin)) > 0;) {
        size += got;
        if (size == capacity) {
            char* larger = realloc(bytes, capacity *= 2);
            if (!larger)
                free(bytes);
            bytes = larger;
        }
    }
    if (!bytes || ferror(stdin)) {
        fprintf(stderr, "wclip: cannot read the text\n");
        free(bytes);
        return 3;
    }
    /* MB_ERR_INVALID_CHARS: text that is not UTF-8 is refused, not mangled. */
    const int length = size ? MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, (int)size, NULL, 0) : 0;
    HGLOBAL data = (size == 0 || length > 0) ? GlobalAlloc(GMEM_MOVEABLE, ((size_t)length + 1) * sizeof(wchar_t)) : NULL;
    wchar_t* text = data ? (wchar_t*)GlobalLock(data) : NULL;
    if (!text) {
        fprintf(stderr, "wclip: the text is not UTF-8, or too long\n");
        free(bytes);
        if (data)
            GlobalFree(data);
        return 3;
    }
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, (int)size, text, length);
    text[length] = L'\0';
    GlobalUnlock(data);
    free(bytes);
    if (!open_clipboard()) {
        fprintf(stderr, "wclip: cannot open the clipboard (error %lu)\n", GetLastError());
        GlobalFree(data);
        return 2;
    }
    int status = 0;
    if (!EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, data)) {
        fprintf(stderr, "wclip: the clipboard did not take the text (error %lu)\n", GetLastError());
        GlobalFree(data);
        status = 2;
    }
    CloseClipboard();
    return status;
}

static int hold(DWORD milliseconds)
{
    if (!open_clipboard()) {
        fprintf(stderr, "wclip: cannot open the clipboard (error %lu)\n", GetLastError());
        return 2;
    }
    printf("held\n");
    fflush(stdout);
    Sleep(milliseconds);
    CloseClipboard();
    return 0;
}

int main(int argc, char** argv)
{
    if (argc == 2 && strcmp(argv[1], "get") == 0)
        return get();
    if (argc == 2 && strcmp(argv[1], "set") == 0)
        return set();
    if (argc == 3 && strcmp(argv[1], "hold") == 0)
        return hold((DWORD)strtoul(argv[2], NULL, 10));
    fprintf(stderr, "usage: wclip get | wclip set | wclip hold MILLISECONDS\n");
    return 64;
}
