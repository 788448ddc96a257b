#include "MarkerReplacement.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

QString replaceMarker(QStringView text, QStringView marker, QStringView value)
{
    // An empty marker matches nowhere; matching it everywhere would never end.
    if (marker.isEmpty())
        return text.toString();

    qsizetype found = text.indexOf(marker);
    if (found < 0)
        return text.toString();

    QString result;
    result.reserve(text.size() + (value.size() > marker.size() ? value.size() - marker.size() : 0));
    qsizetype copied = 0;
    while (found >= 0) {
        result.append(text.sliced(copied, found - copied));
        result.append(value);
        copied = found + marker.size();
        found = text.indexOf(marker, copied);
    }
    result.append(text.sliced(copied));
    return result;
}

// applySubstitutions never rebuilds the text between passes. The text is kept
// as a list of pieces, each a stretch of the original text or of one pass's
// value, and every such source is indexed once: the start of every occurrence
// of every marker that can still look at it. Each piece also knows which
// passes can touch it at all: those whose marker occurs wholly inside it, and
// those whose marker may begin among its last characters and run on into the
// next piece. A pass skips the other pieces, looks up its marker's positions
// in the rest and checks their seams. The index of a fixed template is kept
// across calls, so a generator pays for the template's length only once.
namespace {

using Positions = std::vector<qsizetype>;

// One bit per pass; passes 64 apart share a bit, which costs only a look.
inline std::uint64_t passBit(qsizetype pass)
{
    return std::uint64_t(1) << (pass & 63);
}

// One bit per character class, to rule characters out quickly.
inline std::uint64_t characterBit(char16_t c)
{
    return std::uint64_t(1) << ((c ^ (c >> 6) ^ (c >> 12)) & 63);
}

// Starts of every occurrence, overlapping ones included (a pass may resume in
// the middle of one after a match that ended inside it), by pass, and all
// passes together in text order for telling which passes can change a stretch.
struct Occurrences
{
    struct Occurrence
    {
        qsizetype at;
        qsizetype end;
        qsizetype pass;
    };

    std::vector<Positions> byPass;
    std::vector<Occurrence> inOrder;

    const Positions* of(qsizetype pass) const
    {
        if (pass >= qsizetype(byPass.size()) || byPass[size_t(pass)].empty())
            return nullptr;
        return &byPass[size_t(pass)];
    }

    void add(qsizetype at, qsizetype end, qsizetype pass, qsizetype passCount)
    {
        if (byPass.empty())
            byPass.resize(size_t(passCount));
        byPass[size_t(pass)].push_back(at);
        inOrder.push_back({ at, end, pass });
    }

    // Bits of the passes that occur wholly inside [begin, end).
    std::uint64_t within(qsizetype begin, qsizetype end) const
    {
        if (inOrder.empty())
            return 0;
        std::uint64_t bits = 0;
        auto it = std::lower_bound(inOrder.begin(), inOrder.end(), begin,
                                   [](const Occurrence& o, qsizetype at) { return o.at < at; });
        for (; it != inOrder.end() && it->at < end; ++it) {
            if (it->end <= end)
                bits |= passBit(it->pass);
        }
        return bits;
    }
};

// Markers longer than this are taken to straddle any seam rather than looked
// for in the tail of every piece.
constexpr qsizetype TailWindow = 16;
// Characters ruled out together when scanning a text for markers, and the
// most distinct first characters compared that way; beyond that the scan
// looks at every character.
constexpr qsizetype ScanBlock = 64;
constexpr size_t MaxVectorLeads = 16;

// What a list of markers needs once: where they occur in a text, and which
// of them may straddle the end of a piece.
class MarkerScanner
{
public:
    explicit MarkerScanner(const QList<QString>& markers)
        : m_markers(markers)
    {
        for (qsizetype pass = 0; pass < markers.size(); ++pass) {
            const QString& marker = markers.at(pass);
            if (marker.isEmpty())
                continue;
            const char16_t first = marker.at(0).unicode();
            auto lead = std::find_if(m_leads.begin(), m_leads.end(),
                                     [first](const Lead& l) { return l.first == first; });
            if (lead == m_leads.end())
                lead = m_leads.insert(m_leads.end(), Lead { first, marker, {} });
            qsizetype common = 0;
            while (common < lead->prefix.size() && common < marker.size()
                   && lead->prefix.at(common) == marker.at(common))
                ++common;
            lead->prefix.truncate(common);
            lead->passes.push_back(pass);
            m_firstCharacters |= characterBit(first);
            m_lowest = std::min(m_lowest, first);
            m_highest = std::max(m_highest, first);
            if (marker.size() - 1 > TailWindow)
                m_alwaysStraddling |= passBit(pass);
            else
                m_tail = std::max(m_tail, marker.size() - 1);
        }
    }

    const QList<QString>& markers() const { return m_markers; }

    // Occurrences in `text` of the markers of passes from `firstPass` on,
    // found in one pass over the text: blocks without any first character
    // of a marker are ruled out with vector compares, the others are looked
    // at character by character.
    Occurrences scan(QStringView text, qsizetype firstPass) const
    {
        Occurrences found;
        const char16_t* const data = text.utf16();
        const qsizetype length = text.size();
        qsizetype at = 0;
#if defined(__SSE2__)
        if (!m_leads.empty() && m_leads.size() <= MaxVectorLeads) {
            __m128i firsts[MaxVectorLeads];
            const size_t count = m_leads.size();
            for (size_t k = 0; k < count; ++k)
                firsts[k] = _mm_set1_epi16(short(m_leads[k].first));
            for (; at + ScanBlock <= length; at += ScanBlock) {
                __m128i any = _mm_setzero_si128();
                for (qsizetype i = 0; i < ScanBlock; i += 8) {
                    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + i));
                    for (size_t k = 0; k < count; ++k)
                        any = _mm_or_si128(any, _mm_cmpeq_epi16(chunk, firsts[k]));
                }
                if (_mm_movemask_epi8(any))
                    scanStretch(text, at, at + ScanBlock, firstPass, found);
            }
        }
#endif
        scanStretch(text, at, length, firstPass, found);
        return found;
    }

    // Passes whose marker may begin in data[begin, end) and run past `end`.
    std::uint64_t straddling(const char16_t* data, qsizetype begin, qsizetype end) const
    {
        std::uint64_t passes = m_alwaysStraddling;
        for (qsizetype at = std::max(begin, end - m_tail); at < end; ++at) {
            if (!mayBeFirst(data[at]))
                continue;
            for (const Lead& lead : m_leads) {
                if (lead.first != data[at])
                    continue;
                for (const qsizetype pass : lead.passes) {
                    if (m_markers.at(pass).size() > end - at)
                        passes |= passBit(pass);
                }
            }
        }
        return passes;
    }

private:
    struct Lead
    {
        char16_t first;
        QString prefix;                // shared by the markers of all its passes
        std::vector<qsizetype> passes; // ascending
    };

    void scanStretch(QStringView text, qsizetype begin, qsizetype end, qsizetype firstPass, Occurrences& found) const
    {
        const char16_t* const data = text.utf16();
        for (qsizetype at = begin; at < end; ++at) {
            if (!mayBeFirst(data[at]))
                continue;
            for (const Lead& lead : m_leads) {
                if (lead.first == data[at])
                    matchLead(lead, text, at, firstPass, found);
            }
        }
    }

    // False for most characters that begin no marker, and cheaply.
    bool mayBeFirst(char16_t c) const
    {
        return char16_t(c - m_lowest) <= char16_t(m_highest - m_lowest) && (m_firstCharacters & characterBit(c));
    }

    // Whether `marker` stands at `at`, its first `known` characters aside.
    static bool startsAt(QStringView text, qsizetype at, const QString& marker, qsizetype known)
    {
        return marker.size() <= text.size() - at
            && std::memcmp(text.utf16() + at + known, marker.utf16() + known,
                           size_t(marker.size() - known) * sizeof(char16_t))
            == 0;
    }

    // Records the lead's markers that stand at `at`. Numbered markers differ
    // only after a shared prefix: that is compared once.
    void matchLead(const Lead& lead, QStringView text, qsizetype at, qsizetype firstPass, Occurrences& found) const
    {
        if (lead.passes.back() < firstPass || !startsAt(text, at, lead.prefix, 1))
            return;
        for (const qsizetype pass : lead.passes) {
            const QString& marker = m_markers.at(pass);
            if (pass >= firstPass && startsAt(text, at, marker, lead.prefix.size()))
                found.add(at, at + marker.size(), pass, m_markers.size());
        }
    }

    QList<QString> m_markers;
    std::vector<Lead> m_leads;
    std::uint64_t m_firstCharacters = 0;
    char16_t m_lowest = 0xFFFF; // range of the first characters
    char16_t m_highest = 0;
    std::uint64_t m_alwaysStraddling = 0;
    qsizetype m_tail = 0; // characters of a tail that a short marker can begin in
};

struct TemplateIndex
{
    TemplateIndex(const QString& text, const QList<QString>& markers)
        // Raw data belongs to the caller, who may change or free it: keep a copy.
        : text(text.data_ptr().isMutable() ? text : QString(text.constData(), text.size()))
        , scanner(markers)
        , occurrences(scanner.scan(this->text, 0))
    {
    }

    QString text; // owned; shared with callers, whose copies then cannot change it
    MarkerScanner scanner;
    Occurrences occurrences;
};

QList<QString> markersOf(const QList<Substitution>& passes)
{
    QList<QString> markers;
    markers.reserve(passes.size());
    for (const Substitution& pass : passes)
        markers.append(pass.marker);
    return markers;
}

bool sameMarkers(const QList<QString>& markers, const QList<Substitution>& passes)
{
    if (markers.size() != passes.size())
        return false;
    for (qsizetype i = 0; i < markers.size(); ++i) {
        if (markers.at(i) != passes.at(i).marker)
            return false;
    }
    return true;
}

// Generators call with one of a handful of fixed templates. Texts above the
// size limit are indexed per call rather than kept alive by the cache.
constexpr qsizetype CachedTemplateLimit = qsizetype(1) << 20;
constexpr size_t CachedTemplateCount = 16;

std::shared_ptr<const TemplateIndex> templateIndex(const QString& text, const QList<Substitution>& passes)
{
    // Per thread, so that no lock is needed.
    thread_local std::vector<std::shared_ptr<const TemplateIndex>> cache;
    for (auto it = cache.begin(); it != cache.end(); ++it) {
        const TemplateIndex& entry = **it;
        // Sharing one buffer proves equal text without reading it.
        if (entry.text.size() != text.size() || (!entry.text.isSharedWith(text) && entry.text != text)
            || !sameMarkers(entry.scanner.markers(), passes))
            continue;
        std::rotate(cache.begin(), it, it + 1); // most recent first
        return cache.front();
    }

    auto index = std::make_shared<const TemplateIndex>(text, markersOf(passes));
    if (text.size() <= CachedTemplateLimit) {
        if (cache.size() == CachedTemplateCount)
            cache.pop_back();
        cache.insert(cache.begin(), index);
    }
    return index;
}

// The text, or a pass's value, as the pieces refer to it.
struct Source
{
    const char16_t* data = nullptr;
    const Occurrences* occurrences = nullptr;
    std::uint64_t wholeLive = 0; // bits of a piece spanning the whole source
};

// A stretch [begin, end) of one source: 0 is the text, 1 + j the value of
// pass j, with the bits of the passes that may change it or the seam after it.
struct Piece
{
    qsizetype source;
    qsizetype begin;
    qsizetype end;
    std::uint64_t live;
};

class PieceText
{
public:
    PieceText(const QString& text, const QList<Substitution>& passes)
        : m_passes(passes)
        , m_template(templateIndex(text, passes))
        , m_scanner(m_template->scanner)
        , m_sources(size_t(passes.size()) + 1)
        , m_values(size_t(passes.size()))
    {
        Source& source = m_sources[0];
        source.data = QStringView(m_template->text).utf16();
        source.occurrences = &m_template->occurrences;
        source.wholeLive = live(0, 0, text.size());
        // Each match splits a piece and adds one: enough for the template's own.
        const size_t expected = 2 * m_template->occurrences.inOrder.size() + 2;
        m_text.reserve(expected);
        m_next.reserve(expected);
        if (!text.isEmpty())
            m_text.push_back({ 0, 0, text.size(), source.wholeLive });
    }

    void apply(qsizetype pass);
    bool changed() const { return m_changed; }
    QString joined() const;

private:
    std::uint64_t live(qsizetype source, qsizetype begin, qsizetype end) const
    {
        const Source& s = m_sources[size_t(source)];
        return s.occurrences->within(begin, end) | m_scanner.straddling(s.data, begin, end);
    }
    bool matchesAt(qsizetype piece, qsizetype at, const QString& marker) const;
    // Keeps [from, end) of piece k; a piece that keeps its end keeps its bits.
    void appendSlice(qsizetype k, qsizetype from, qsizetype end)
    {
        const Piece& piece = m_text[size_t(k)];
        m_next.push_back({ piece.source, from, end, end == piece.end ? piece.live : live(piece.source, from, end) });
    }
    void appendValue(qsizetype pass);

    const QList<Substitution>& m_passes;
    std::shared_ptr<const TemplateIndex> m_template;
    const MarkerScanner& m_scanner;
    std::vector<Source> m_sources;
    std::vector<Occurrences> m_values;
    std::vector<Piece> m_text;
    std::vector<Piece> m_next;
    bool m_changed = false;
};

// Whether `marker` starts at position `at` of piece `piece`, reading on
// through the pieces after it.
bool PieceText::matchesAt(qsizetype piece, qsizetype at, const QString& marker) const
{
    qsizetype compared = 0;
    const qsizetype count = qsizetype(m_text.size());
    while (compared < marker.size()) {
        if (piece >= count)
            return false;
        const Piece& p = m_text[size_t(piece)];
        const qsizetype take = std::min(p.end - at, marker.size() - compared);
        if (std::memcmp(m_sources[size_t(p.source)].data + at, marker.utf16() + compared,
                        size_t(take) * sizeof(char16_t))
            != 0)
            return false;
        compared += take;
        if (++piece < count)
            at = m_text[size_t(piece)].begin;
    }
    return true;
}

void PieceText::appendValue(qsizetype pass)
{
    const QString& value = m_passes.at(pass).value;
    if (value.isEmpty())
        return;
    Source& source = m_sources[size_t(pass) + 1];
    // Indexed when first inserted; only the passes after this one look at it.
    if (!source.data) {
        m_values[size_t(pass)] = m_scanner.scan(value, pass + 1);
        source.data = QStringView(value).utf16();
        source.occurrences = &m_values[size_t(pass)];
        source.wholeLive = live(pass + 1, 0, value.size());
    }
    m_next.push_back({ pass + 1, 0, value.size(), source.wholeLive });
}

void PieceText::apply(qsizetype pass)
{
    const QString& marker = m_passes.at(pass).marker;
    const qsizetype length = marker.size();
    if (length == 0)
        return;
    const std::uint64_t bit = passBit(pass);
    const char16_t first = marker.at(0).unicode();
    const std::vector<Piece>& pieces = m_text;
    const qsizetype count = qsizetype(pieces.size());

    m_next.clear();
    bool matched = false;
    qsizetype k = 0;
    qsizetype from = count ? pieces.front().begin : 0; // where the scan resumes in piece k
    qsizetype unchanged = 0; // pieces [unchanged, k) go over as they are
    qsizetype cursorPiece = -1; // the piece `cursor` indexes the occurrences of
    size_t cursor = 0;
    while (k < count) {
        if (from == pieces[size_t(k)].begin) {
            // Skip the pieces this pass cannot touch.
            while (k < count && !(pieces[size_t(k)].live & bit))
                ++k;
            if (k == count)
                break;
            from = pieces[size_t(k)].begin;
        }
        const Piece& piece = pieces[size_t(k)];
        if (unchanged < k)
            m_next.insert(m_next.end(), pieces.begin() + unchanged, pieces.begin() + k);

        // The earliest occurrence wholly inside the piece comes before any
        // that straddles its end.
        if (const Positions* inside = m_sources[size_t(piece.source)].occurrences->of(pass)) {
            // One search per piece; after a match the next one lies further on.
            if (cursorPiece != k) {
                cursor = size_t(std::lower_bound(inside->begin(), inside->end(), from) - inside->begin());
                cursorPiece = k;
            }
            while (cursor < inside->size() && (*inside)[cursor] < from)
                ++cursor;
            if (cursor < inside->size() && (*inside)[cursor] + length <= piece.end) {
                const qsizetype at = (*inside)[cursor];
                if (at > from)
                    appendSlice(k, from, at);
                appendValue(pass);
                matched = true;
                from = at + length;
                if (from < piece.end) {
                    unchanged = k + 1; // the rest of this piece is looked at next
                    continue;
                }
                unchanged = ++k;
                if (k < count)
                    from = pieces[size_t(k)].begin;
                continue;
            }
        }

        const char16_t* const text = m_sources[size_t(piece.source)].data;
        qsizetype start = std::max(from, piece.end - length + 1);
        while (start < piece.end && !(text[start] == first && matchesAt(k, start, marker)))
            ++start;
        if (start < piece.end) {
            if (start > from)
                appendSlice(k, from, start);
            appendValue(pass);
            matched = true;
            // Skip the rest of the marker in the pieces that follow.
            qsizetype rest = length - (piece.end - start);
            ++k;
            while (k < count && rest >= pieces[size_t(k)].end - pieces[size_t(k)].begin) {
                rest -= pieces[size_t(k)].end - pieces[size_t(k)].begin;
                ++k;
            }
            if (k < count)
                from = pieces[size_t(k)].begin + rest;
            unchanged = rest == 0 ? k : k + 1;
            continue;
        }

        appendSlice(k, from, piece.end);
        unchanged = ++k;
        if (k < count)
            from = pieces[size_t(k)].begin;
    }
    if (matched) {
        if (unchanged < count)
            m_next.insert(m_next.end(), pieces.begin() + unchanged, pieces.end());
        std::swap(m_text, m_next);
        m_changed = true;
    }
}

QString PieceText::joined() const
{
    qsizetype total = 0;
    for (const Piece& piece : m_text)
        total += piece.end - piece.begin;
    QString result(total, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    for (const Piece& piece : m_text) {
        const qsizetype size = piece.end - piece.begin;
        std::memcpy(out, m_sources[size_t(piece.source)].data + piece.begin, size_t(size) * sizeof(char16_t));
        out += size;
    }
    return result;
}

} // namespace

QString applySubstitutions(const QString& text, const QList<Substitution>& passes)
{
    if (text.isEmpty() || passes.isEmpty())
        return text;
    PieceText pieces(text, passes);
    for (qsizetype pass = 0; pass < passes.size(); ++pass)
        pieces.apply(pass);
    return pieces.changed() ? pieces.joined() : text;
}
