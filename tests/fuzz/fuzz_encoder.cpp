// Fuzz target for UTF8EncodeURI: the fuzz bytes, two at a time, are UTF-16
// code units (valid or not). The output must consist of the input's ASCII
// characters in place and, for every other character, the "%XX" escapes of
// its UTF-8 bytes in upper-case hex; a lone surrogate gets the three-byte
// form of its code unit (nine characters), a valid pair the four-byte form.

#include "UTF8EncodeURI.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void printUnits(const char* name, QStringView text)
{
    std::fprintf(stderr, "%s (%lld units):", name, static_cast<long long>(text.size()));
    for (const QChar c : text)
        std::fprintf(stderr, " %04X", c.unicode());
    std::fputc('\n', stderr);
}

[[noreturn]] void fail(const char* what, QStringView input, QStringView output, qsizetype at)
{
    std::fprintf(stderr, "encoder fault: %s (output position %lld)\n", what, static_cast<long long>(at));
    printUnits("input", input);
    printUnits("output", output);
    std::abort();
}

// Upper-case hex only: a lower-case digit is a fault, not an alternative.
int hexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto length = static_cast<qsizetype>(size / 2);
    QString input(length, Qt::Uninitialized);
    std::memcpy(input.data(), data, static_cast<std::size_t>(length) * 2);
    const QString output = UTF8EncodeURI(input);

    // Walk input and output together, decoding each group of escapes by the
    // UTF-8 bit patterns back to the code point it must stand for.
    qsizetype out = 0;
    for (qsizetype i = 0; i < input.size(); ++i) {
        char32_t point = input.at(i).unicode();
        const bool lone = input.at(i).isSurrogate()
            && !(input.at(i).isHighSurrogate() && i + 1 < input.size() && input.at(i + 1).isLowSurrogate());
        if (input.at(i).isHighSurrogate() && !lone) {
            point = QChar::surrogateToUcs4(input.at(i), input.at(i + 1));
            ++i;
        }

        if (point < 0x80) {
            if (out >= output.size() || output.at(out).unicode() != point)
                fail("ASCII character not passed through in place", input, output, out);
            ++out;
            continue;
        }
        const int count = point < 0x800 ? 2 : point < 0x10000 ? 3 : 4;
        if (lone && count != 3)
            fail("lone surrogate not in three-byte form", input, output, out);
        char32_t decoded = 0;
        for (int k = 0; k < count; ++k) {
            if (out + 3 > output.size() || output.at(out) != u'%')
                fail("escape expected", input, output, out);
            const int high = hexDigit(output.at(out + 1).unicode());
            const int low = hexDigit(output.at(out + 2).unicode());
            if (high < 0 || low < 0)
                fail("escape without two upper-case hex digits", input, output, out);
            const unsigned byte = unsigned(high * 16 + low);
            if (k == 0) {
                static constexpr unsigned leadMask[] = { 0, 0, 0xE0, 0xF0, 0xF8 };
                static constexpr unsigned leadBits[] = { 0, 0, 0xC0, 0xE0, 0xF0 };
                if ((byte & leadMask[count]) != leadBits[count])
                    fail("wrong UTF-8 lead byte", input, output, out);
                decoded = byte & ~leadMask[count] & 0xFF;
            } else {
                if ((byte & 0xC0) != 0x80)
                    fail("wrong UTF-8 continuation byte", input, output, out);
                decoded = (decoded << 6) | (byte & 0x3F);
            }
            out += 3;
        }
        if (decoded != point)
            fail("escapes decode to another code point", input, output, out);
    }
    if (out != output.size())
        fail("output goes on after the last input character", input, output, out);

    // For valid UTF-16 the standard decoding gives the text back. A "%" of
    // the input would be read as an escape, so it is left out here; a leading
    // U+FEFF is a character, which QString::fromUtf8 would drop as a BOM.
    if (QStringView(input).isValidUtf16()) {
        QString plain = input;
        plain.replace(QChar(u'%'), QChar(u'_'));
        const QString encoded = UTF8EncodeURI(plain);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        const QString decoded = utf8.decode(QByteArray::fromPercentEncoding(encoded.toLatin1()));
        if (utf8.hasError() || decoded != plain)
            fail("percent-decoding and UTF-8 decoding do not give the text back", plain, encoded, 0);
    }
    return 0;
}
