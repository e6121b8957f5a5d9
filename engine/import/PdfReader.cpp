#include "import/PdfReader.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <set>
#include <thread>

#include "import/CidText.h"
#include "pdf/Compression.h"
#include "pdf/OrderedPool.h"
#include "pdf/PdfObjects.h"
#include "util/Encoding.h"
#include "util/Numbers.h"
#include "util/TextUtil.h"

namespace scrivane {

namespace {

constexpr size_t kMaxTrailerEntries = 1000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f'; }

// The unsigned number at text[at], skipping blanks first; npos when there is none.
size_t NumberAt(std::string_view text, size_t& at) {
    while (at < text.size() && IsSpace(text[at])) ++at;
    size_t start = at;
    while (at < text.size() && IsDigit(text[at]) && at - start < 12) ++at;
    if (at == start) return std::string_view::npos;
    return static_cast<size_t>(*ParseNumber(text.substr(start, at - start)));  // exact: < 2^53
}

// An object number the trailer gave as digits; npos when it is not one.
size_t ObjectNumber(const std::string& digits) {
    size_t at = 0;
    return NumberAt(digits, at);
}

// The object numbers of "n 0 R" references in text[from, to).
std::vector<size_t> References(std::string_view text) {
    std::vector<size_t> numbers;
    size_t at = 0;
    while (at < text.size()) {
        size_t number = NumberAt(text, at);
        if (number == std::string_view::npos) {
            ++at;
            continue;
        }
        size_t afterNumber = at;
        size_t generation = NumberAt(text, at);
        if (generation == std::string_view::npos) {
            at = afterNumber;
            continue;
        }
        while (at < text.size() && IsSpace(text[at])) ++at;
        if (at < text.size() && text[at] == 'R') {
            numbers.push_back(number);
            ++at;
        } else {
            at = afterNumber;
        }
    }
    return numbers;
}

// A literal string's bytes: "\x" stands for x when x is "\", "(" or ")"; "\r" and "\n"
// stand for the line-end characters the writer escapes inside a line.
// The stretches between backslashes are copied at once.
std::string Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t plainFrom = 0;
    for (size_t i = text.find('\\'); i != std::string_view::npos && i + 1 < text.size();
         i = text.find('\\', i)) {
        const char next = text[i + 1];
        const bool escaped = next == '\\' || next == '(' || next == ')';
        const bool lineEnd = next == 'r' || next == 'n';
        if (!escaped && !lineEnd) {  // a backslash that stands for itself
            ++i;
            continue;
        }
        out.append(text.substr(plainFrom, i - plainFrom));
        out.push_back(lineEnd ? (next == 'r' ? '\r' : '\n') : next);
        i += 2;
        plainFrom = i;
    }
    out.append(text.substr(plainFrom));
    return out;
}

class XrefTable {
public:
    std::vector<size_t> offsets;  // by object number; npos = not in use
    std::string root, info, prev, size;

    // The text of object n, from its offset to its "endobj".
    int16_t Object(std::string_view file, size_t n, std::string_view& text,
                   size_t* offset = nullptr) const {
        if (n >= offsets.size() || offsets[n] == std::string_view::npos) return kPdfObjectMissing;
        size_t start = offsets[n];
        if (start >= file.size()) return kPdfObjectOutside;
        size_t end = file.find("endobj", start);
        if (end == std::string_view::npos) return kPdfNoEndObj;
        text = file.substr(start, end - start);
        if (offset) *offset = start;
        return kPdfReadOk;
    }
};

// The ToUnicode map that all fonts of a file with text beyond Windows-1252 share.
int16_t ReadIdMap(std::string_view file, const XrefTable& table, CidText& ids) {
    size_t at = file.find("/ToUnicode ");
    if (at == std::string_view::npos) return kPdfObjectMissing;
    at += 11;
    size_t number = NumberAt(file, at);
    std::string_view object;
    if (int16_t status = table.Object(file, number, object); status != kPdfReadOk) return status;
    std::string data;
    if (int16_t status = ReadStreamData(object, file, data); status != kPdfReadOk) return status;
    ids.ReadMap(data);
    return kPdfReadOk;
}

// A file whose text goes beyond Windows-1252 says so in its information; its runs show
// character ids. The information's strings are made UTF-8 in every file.
int16_t ReadUtf8Text(std::string_view info, std::string_view file, const XrefTable& table,
                     PdfContents& contents, CidText& ids) {
    DecodeTextStrings(contents.infos);
    contents.utf8Text = info.find(kUtf8TextMark) != std::string_view::npos;
    if (!contents.utf8Text) return kPdfReadOk;
    return ReadIdMap(file, table, ids);
}

int16_t ReadTrailer(std::string_view trailer, XrefTable& table) {
    std::string head = AsciiUpper(std::string(trailer.substr(0, 7)));
    if (head != "TRAILER") return kPdfNoTrailer;
    if (trailer.size() < 15) return kPdfShortTrailer;
    std::string_view rest = trailer.substr(11);
    size_t entries = 0;
    for (size_t slash = rest.find('/'); slash != std::string_view::npos;
         slash = rest.find('/', slash + 1)) {
        if (++entries > kMaxTrailerEntries) return kPdfTrailerTooLong;
        size_t next = rest.find('/', slash + 1);
        std::string_view entry = rest.substr(slash + 1, next == std::string_view::npos
                                                            ? std::string_view::npos
                                                            : next - slash - 1);
        size_t space = entry.find_first_of(" \r\n");
        std::string key = AsciiUpper(std::string(entry.substr(0, space)));
        std::string value = entry.size() > 5 ? std::string(entry.substr(5)) : std::string();
        size_t at = 0;
        size_t number = NumberAt(value, at);
        std::string digits = number == std::string_view::npos ? "" : std::to_string(number);
        if (key == "SIZE") table.size = digits;
        if (key == "INFO") table.info = digits;
        if (key == "ROOT") table.root = digits;
        if (key == "PREV") table.prev = digits;
    }
    return kPdfReadOk;
}

int16_t ReadXref(std::string_view file, XrefTable& table) {
    size_t start = file.rfind("startxref");
    if (start == std::string_view::npos) return kPdfNoStartXref;
    size_t at = start + 9;
    size_t offset = NumberAt(file, at);
    if (offset == std::string_view::npos) return kPdfNoStartXref;
    if (offset >= file.size()) return kPdfXrefOutside;
    if (file.compare(offset, 4, "xref") != 0) return kPdfNoXref;
    at = offset + 4;
    size_t first = NumberAt(file, at);
    size_t count = first == std::string_view::npos ? first : NumberAt(file, at);
    if (count == std::string_view::npos) return kPdfBadSubsection;
    while (at < file.size() && file[at] != '\n') ++at;  // the subsection line ends here
    ++at;
    if (at > file.size() || count > (file.size() - at) / 20) return kPdfXrefTooLong;
    if (first > file.size()) return kPdfBadSubsection;
    table.offsets.assign(first + count, std::string_view::npos);
    for (size_t i = 0; i < count; ++i) {
        std::string_view entry = file.substr(at + 20 * i, 20);
        if (!std::all_of(entry.begin(), entry.begin() + 10, IsDigit) || entry[10] != ' ') {
            return kPdfBadXrefEntry;
        }
        if (entry[17] != 'n') continue;
        table.offsets[first + i] = static_cast<size_t>(*ParseNumber(entry.substr(0, 10)));
    }
    at += 20 * count;
    size_t trailerEnd = file.find("startxref", at);
    return ReadTrailer(file.substr(at, trailerEnd == std::string_view::npos
                                           ? std::string_view::npos
                                           : trailerEnd - at),
                       table);
}

// Info entries: /Key(value) with nested parentheses and escapes.
int16_t ReadInfo(std::string_view object, vorInfos& infos) {
    if (object.size() < 10) return kPdfInfoMalformed;
    std::string_view body = object.substr(10);
    size_t close = body.rfind(">>");
    if (close != std::string_view::npos) body = body.substr(0, close);
    size_t at = 0;
    while ((at = body.find('/', at)) != std::string_view::npos) {
        size_t open = body.find('(', at);
        if (open == std::string_view::npos) return kPdfInfoMalformed;
        std::string key(body.substr(at + 1, open - at - 1));
        while (!key.empty() && IsSpace(key.back())) key.pop_back();
        key = AsciiUpper(key);
        int depth = 1;
        size_t end = open + 1;
        for (; end < body.size() && depth > 0; ++end) {
            if (body[end] == '\\') {
                ++end;
            } else if (body[end] == '(') {
                ++depth;
            } else if (body[end] == ')') {
                --depth;
            }
        }
        size_t valueEnd = std::min(end, body.size());
        std::string value = Unescape(body.substr(open + 1, valueEnd - open - 1 - (depth == 0)));
        if (key == "FC") infos.FCObjectNumber = value;
        if (key == "AUTHOR") infos.author = value;
        if (key == "TITLE") infos.title = value;
        if (key == "SUBJECT") infos.subject = value;
        if (key == "KEYWORDS") infos.keywords = value;
        at = valueEnd;
    }
    return kPdfReadOk;
}

// The number after `key` in a dictionary, or npos.
size_t DictionaryNumber(std::string_view object, std::string_view key) {
    size_t at = object.find(key);
    if (at == std::string_view::npos) return std::string_view::npos;
    at += key.size();
    return NumberAt(object, at);
}

void ReadMediaBox(std::string_view page, vorPage& target) {
    size_t at = page.find("/MediaBox");
    if (at == std::string_view::npos) return;
    at = page.find('[', at);
    if (at == std::string_view::npos) return;
    ++at;
    size_t numbers[4];
    for (size_t& number : numbers) {
        number = NumberAt(page, at);
        if (number == std::string_view::npos) return;
    }
    if (auto width = ToInt16(static_cast<double>(numbers[2])); width && *width > 0) {
        target.PageWidth = *width;
    }
    if (auto height = ToInt16(static_cast<double>(numbers[3])); height && *height > 0) {
        target.PageHeight = *height;
    }
}

}  // namespace

int16_t ReadStreamData(std::string_view object, std::string_view file, std::string& data) {
    size_t streamAt = object.find("stream");
    if (streamAt == std::string_view::npos) return kPdfNoStream;
    std::string_view dictionary = object.substr(0, streamAt);
    size_t length = DictionaryNumber(dictionary, "/Length");
    if (length != std::string_view::npos) {
        // An indirect length ("/Length 12 0 R") is not something this program writes.
        size_t at = dictionary.find("/Length") + 7;
        NumberAt(dictionary, at);
        size_t generation = NumberAt(dictionary, at);
        while (at < dictionary.size() && IsSpace(dictionary[at])) ++at;
        if (generation != std::string_view::npos && at < dictionary.size() &&
            dictionary[at] == 'R') {
            length = std::string_view::npos;
        }
    }
    // The data follows "stream" and its line end; the object text's position in the
    // file lets a stream holding the bytes "endobj" still be read whole.
    size_t objectStart = static_cast<size_t>(object.data() - file.data());
    size_t start = objectStart + streamAt + 6;
    if (file.compare(start, 2, "\r\n") == 0) {
        start += 2;
    } else if (start < file.size() && file[start] == '\n') {
        start += 1;
    }
    if (start > file.size()) return kPdfNoEndStream;
    if (length == std::string_view::npos) {
        // No direct length: the data runs up to "endstream".
        size_t endStream = file.find("endstream", start);
        if (endStream == std::string_view::npos) return kPdfNoEndStream;
        length = endStream - start;
        while (length > 0 && IsSpace(file[start + length - 1])) --length;
    } else {
        // The stated length must end inside the file, right before "endstream".
        if (length > file.size() - start) return kPdfNoEndStream;
        size_t after = start + length;
        while (after < file.size() && IsSpace(file[after])) ++after;
        if (file.compare(after, 9, "endstream") != 0) return kPdfNoEndStream;
    }
    data.assign(file.substr(start, length));
    if (dictionary.find("/FlateDecode") != std::string_view::npos) {
        if (Decompress(data, length * 10) != 0) return kPdfStreamDamaged;
    }
    return kPdfReadOk;
}

int16_t ReadOwnContentStream(std::string_view object, std::string_view file,
                             std::vector<std::string>& runs, const CidText* ids) {
    std::string data;
    if (int16_t status = ReadStreamData(object, file, data); status != kPdfReadOk) return status;
    size_t lineStart = 0;
    for (size_t i = 0; i <= data.size(); ++i) {
        if (i < data.size() && data[i] != '\n' && data[i] != '\r') continue;
        std::string_view line(data.data() + lineStart, i - lineStart);
        const bool shown = ids ? CidText::ShowsIds(line)
                               : line.size() >= 5 && line.substr(line.size() - 4) == ") Tj";
        if (shown) {
            if (runs.size() >= kMaxRuns) return kPdfTooMuchText;
            runs.push_back(ids ? ids->Decode(line) : Unescape(line.substr(1, line.size() - 5)));
        }
        lineStart = i + 1;
    }
    return kPdfReadOk;
}

namespace {

// A page object and its first content stream (empty when it has none).
struct PageEntry {
    std::string_view object;
    std::string_view stream;
};

// The pages of the tree up to the first that fails a check, and that check's status.
struct PageTree {
    std::vector<PageEntry> pages;
    int16_t status = kPdfReadOk;
    std::optional<PageEntry> failedPage;  // when only its stream was at fault
};

PageTree FindPages(std::string_view file, const XrefTable& table,
                   const std::vector<size_t>& pageNumbers) {
    // This program lists every page and stream once; a file that repeats them could make
    // the reader read one object over and over.
    std::set<size_t> seen;
    PageTree tree;
    tree.pages.reserve(pageNumbers.size());
    for (size_t pageNumber : pageNumbers) {
        PageEntry entry;
        tree.status = seen.insert(pageNumber).second ? table.Object(file, pageNumber, entry.object)
                                                     : int16_t{kPdfBadPageTree};
        if (tree.status != kPdfReadOk) break;
        const std::string_view page = entry.object;
        const size_t at = page.find("/Contents");
        std::vector<size_t> streams;
        if (at != std::string_view::npos) {
            size_t end = page.find_first_of("]/>", page.find_first_not_of(" [", at + 9));
            streams = References(page.substr(at + 9, end - at - 9));
        }
        if (!streams.empty()) {
            tree.status = seen.insert(streams.front()).second
                              ? table.Object(file, streams.front(), entry.stream)
                              : int16_t{kPdfBadPageTree};
            if (tree.status != kPdfReadOk) {
                tree.failedPage = entry;
                break;
            }
        }
        tree.pages.push_back(entry);
    }
    return tree;
}

// Reads the pages' streams on a few threads, a bounded number of pages ahead, and fills
// the pages in order; the first failure in page order is the result, as if one thread had
// read them one after another.
// `ids`: the runs show character ids, read back through their map (read only here).
int16_t FillPages(std::string_view file, const std::vector<PageEntry>& entries, vorPages& pages,
                  unsigned threads, const CidText* ids) {
    struct PageRuns {
        int16_t status = kPdfReadOk;
        std::vector<std::string> runs;
    };
    const unsigned count = std::clamp(
        threads == 0 ? std::thread::hardware_concurrency() : threads, 1u, 16u);
    OrderedPool<PageRuns> pool(entries.size(), count, 8 * count, [&](size_t i, unsigned) {
        PageRuns page;
        if (!entries[i].stream.empty()) {
            page.status = ReadOwnContentStream(entries[i].stream, file, page.runs, ids);
        }
        return page;
    });
    size_t runCount = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        PageRuns page = pool.Take(i);
        vorPage& target = pages.AddNewPage();
        ReadMediaBox(entries[i].object, target);
        if (entries[i].stream.empty()) continue;
        if (page.status != kPdfReadOk) return page.status;
        runCount += page.runs.size();
        if (runCount > kMaxRuns) return kPdfTooMuchText;
        vorContent& block = target.GetContent(1);
        size_t bytes = 0;
        for (const std::string& run : page.runs) bytes += run.size();
        block.Reserve(page.runs.size(), bytes);  // just the room the page's text needs
        for (const std::string& run : page.runs) block.AddText(run, "", 10, 0, 0, "", 0, "");
    }
    return kPdfReadOk;
}

}  // namespace

int16_t ReadOwnPdf(const std::string& path, PdfContents& contents) {
    std::string bytes;
    if (int16_t status = CheckPdfFile(path, bytes); status != kPdfReadOk) return status;
    return ParseOwnPdf(bytes, contents);
}

int16_t ParseOwnPdf(std::string_view file, PdfContents& contents, unsigned threads) {
    if (!IsOwnProducer(file)) return kPdfProducerRefused;
    if (file.find("%%EOF") == std::string_view::npos) return kPdfNoEof;

    XrefTable table;
    if (int16_t status = ReadXref(file, table); status != kPdfReadOk) return status;
    if (table.root.empty() || table.info.empty()) return kPdfNoRoot;

    std::string_view object;
    if (int16_t status = table.Object(file, ObjectNumber(table.info), object); status != kPdfReadOk) {
        return status;
    }
    if (int16_t status = ReadInfo(object, contents.infos); status != kPdfReadOk) return status;
    CidText ids;
    if (int16_t status = ReadUtf8Text(object, file, table, contents, ids); status != kPdfReadOk) {
        return status;
    }

    if (int16_t status = table.Object(file, ObjectNumber(table.root), object); status != kPdfReadOk) {
        return status;
    }
    size_t pagesNumber = DictionaryNumber(object, "/Pages");
    if (pagesNumber == std::string_view::npos) return kPdfBadPageTree;
    if (int16_t status = table.Object(file, pagesNumber, object); status != kPdfReadOk) return status;
    size_t kids = object.find("/Kids");
    if (kids == std::string_view::npos) return kPdfBadPageTree;
    size_t kidsEnd = object.find(']', kids);
    std::vector<size_t> pageNumbers = References(object.substr(kids, kidsEnd - kids));
    if (pageNumbers.empty()) return kPdfBadPageTree;

    const PageTree tree = FindPages(file, table, pageNumbers);
    if (int16_t status = FillPages(file, tree.pages, contents.pages, threads,
                                   contents.utf8Text ? &ids : nullptr);
        status != kPdfReadOk) {
        return status;
    }
    if (tree.status != kPdfReadOk) {
        // The page that failed had been started when only its stream was at fault.
        if (tree.failedPage) ReadMediaBox(tree.failedPage->object, contents.pages.AddNewPage());
        return tree.status;
    }

    if (!contents.infos.FCObjectNumber.empty()) {
        auto number = ToInt32(contents.infos.FCObjectNumber);
        if (!number || *number < 0) return kPdfObjectMissing;
        if (int16_t status = table.Object(file, static_cast<size_t>(*number), object);
            status != kPdfReadOk) {
            return status;
        }
        std::vector<std::string> runs;
        if (int16_t status = ReadOwnContentStream(object, file, runs); status != kPdfReadOk) {
            return status;
        }
        std::string joined;
        for (const std::string& run : runs) joined += run + "\r\n";
        ReadSourceLines(joined, contents.sourceLines, contents.infos.cff);
    }
    return kPdfReadOk;
}

}  // namespace scrivane
