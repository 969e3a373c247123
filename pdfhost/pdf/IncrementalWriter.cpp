#include "pdfhost/pdf/IncrementalWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <set>
#include <stdexcept>
#include <sys/sendfile.h>
#include <unistd.h>
#include <vector>

#include <qpdf/QPDF.hh>
#include <zlib.h>

#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/IncrementalBase.h"
#include "pdfhost/pdf/OpenFile.h"

namespace pdfhost::pdf {
namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

void WriteAll(int fd, const char* data, std::size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, data, n);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            Fail("cannot write the file");
        data += w;
        n -= static_cast<std::size_t>(w);
    }
}

// Copies the first n bytes of `in` to the end of `out` in the kernel where
// it can (no trip through user space), else through a buffer.
void CopyPrefix(int in, int out, std::uint64_t n) {
    off_t offset = 0;
    bool kernel = true;
    while (kernel && static_cast<std::uint64_t>(offset) < n) {
        const std::size_t chunk =
            static_cast<std::size_t>(std::min<std::uint64_t>(n - offset, 1u << 30));
        ssize_t r = ::copy_file_range(in, &offset, out, nullptr, chunk, 0);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP ||
                      errno == EBADF))
            r = ::sendfile(out, in, &offset, chunk);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            kernel = false; // the buffer below finishes (and reports a real error)
    }
    std::vector<char> buffer(1 << 16);
    while (static_cast<std::uint64_t>(offset) < n) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(n - offset, buffer.size()));
        const ssize_t r = ::pread(in, buffer.data(), want, offset);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            Fail("cannot read the original file");
        if (r == 0) {
            errno = EIO;
            Fail("the original file is shorter than when it was opened");
        }
        WriteAll(out, buffer.data(), static_cast<std::size_t>(r));
        offset += r;
    }
}

// "1.4" as 14, for comparing versions; 0 when unreadable.
int VersionNumber(const std::string& v) {
    if (v.size() < 3 || v[1] != '.' || v[0] < '0' || v[0] > '9' || v[2] < '0' || v[2] > '9')
        return 0;
    return (v[0] - '0') * 10 + (v[2] - '0');
}

// The objects an update must carry, by number, and how each is written.
// New objects are found while the objects naming them are written, so that
// each value is walked once; they follow in order of number as far as they
// are known by then.
class UpdateSet {
  public:
    explicit UpdateSet(int lastOldNumber) : lastOld_(lastOldNumber) {}

    // An object of the file that changed, written as `as` (itself unless
    // a variant is to be written in its place).
    void AddChanged(QPDFObjGen og, QPDFObjectHandle as) {
        FirstSight(og.getObj());
        pending_[og] = as;
    }
    // A reference met in a value being written: a new object the update
    // carries too.
    void Found(const QPDFObjectHandle& reference) {
        const QPDFObjGen og = reference.getObjGen();
        if (og.getObj() > lastOld_ && FirstSight(og.getObj()))
            pending_.emplace(og, reference);
    }
    // Values outside every object (the trailer's) that may name new objects.
    void Reach(QPDFObjectHandle value) {
        if (value.isIndirect()) {
            Found(value);
        } else if (value.isDictionary()) {
            for (auto& item : value.getDictAsMap())
                Reach(item.second);
        } else if (value.isArray()) {
            for (auto& item : value.getArrayAsVector())
                Reach(item);
        }
    }
    // The next object to write, lowest number first; false when all are.
    bool Next(QPDFObjGen& og, QPDFObjectHandle& object) {
        if (pending_.empty())
            return false;
        auto first = pending_.begin();
        og = first->first;
        object = std::move(first->second);
        pending_.erase(first);
        return true;
    }

  private:
    // Whether a new object's number is seen for the first time (so that it
    // is written once); always false for the file's own objects.
    bool FirstSight(int number) {
        if (number <= lastOld_)
            return false;
        const std::size_t slot = static_cast<std::size_t>(number - lastOld_);
        // New objects are numbered on from the file's last; a number far
        // beyond (a reference to no object) is kept apart.
        if (slot >= kDenseSlots)
            return far_.insert(number).second;
        if (slot >= found_.size())
            found_.resize(std::max(slot + 1, found_.size() * 2));
        if (found_[slot])
            return false;
        found_[slot] = true;
        return true;
    }

    static constexpr std::size_t kDenseSlots = std::size_t{1} << 22;
    int lastOld_;
    std::map<QPDFObjGen, QPDFObjectHandle> pending_;
    std::vector<bool> found_; // by number after lastOld_
    std::set<int> far_;
};

bool IsRegular(char c) {
    switch (c) {
    case ' ':
    case '\t':
    case '\r':
    case '\n':
    case '\f':
    case '\0':
    case '(':
    case ')':
    case '<':
    case '>':
    case '[':
    case ']':
    case '{':
    case '}':
    case '/':
    case '%':
        return false;
    default:
        return true;
    }
}

void Token(std::string& out, const std::string& token) {
    if (!out.empty() && !token.empty() && IsRegular(out.back()) && IsRegular(token.front()))
        out += ' ';
    out += token;
}

// A name as qpdf writes it. Most names need no escape and are written
// as they are; qpdf escapes the others.
void Name(std::string& out, const std::string& name) {
    const bool plain =
        name.size() > 1 && name[0] == '/' && std::all_of(name.begin() + 1, name.end(), [](char c) {
            return c > 32 && c < 127 && IsRegular(c) && c != '#';
        });
    Token(out, plain ? name : QPDFObjectHandle::newName(name).unparse());
}

// The object's value without the blanks qpdf's unparse puts around
// delimiters: most of an update is page dictionaries, and this keeps each
// about a fifth shorter. A direct null in a dictionary means no entry.
// References, integers and names, nearly all of a page dictionary, are
// written here as qpdf writes them; the rest by qpdf. References are told
// to `update`, when given.
void Compact(std::string& out, QPDFObjectHandle value, UpdateSet* update, bool top = false) {
    if (!top && value.isIndirect()) {
        const QPDFObjGen og = value.getObjGen();
        Token(out, std::to_string(og.getObj()) + " " + std::to_string(og.getGen()) + " R");
        if (update)
            update->Found(value);
    } else if (value.isDictionary()) {
        out += "<<";
        for (auto& [key, item] : value.getDictAsMap()) {
            if (!item.isIndirect() && item.isNull())
                continue;
            Name(out, key);
            Compact(out, item, update);
        }
        out += ">>";
    } else if (value.isArray()) {
        out += '[';
        for (auto& item : value.getArrayAsVector())
            Compact(out, item, update);
        out += ']';
    } else if (value.isInteger()) {
        Token(out, std::to_string(value.getIntValue()));
    } else if (value.isName()) {
        Name(out, value.getName());
    } else {
        Token(out, value.unparseResolved());
    }
}

void AppendObject(std::string& out, QPDFObjGen og, QPDFObjectHandle object, UpdateSet& update) {
    out += std::to_string(og.getObj()) + " " + std::to_string(og.getGen()) + " obj\n";
    if (object.isStream()) {
        const std::shared_ptr<Buffer> raw = object.getRawStreamData();
        QPDFObjectHandle dict = object.getDict().shallowCopy();
        dict.replaceKey("/Length",
                        QPDFObjectHandle::newInteger(static_cast<long long>(raw->getSize())));
        Compact(out, dict, &update, true);
        out += "\nstream\n";
        out.append(reinterpret_cast<const char*>(raw->getBuffer()), raw->getSize());
        out += "\nendstream";
    } else {
        std::string value;
        Compact(value, object, &update, true);
        out += value;
    }
    out += "\nendobj\n";
}

// The trailer entries every section carries, besides /Size and /Prev.
void CopyTrailerEntries(QPDFObjectHandle from, QPDFObjectHandle to) {
    for (const char* key : {"/Root", "/Info", "/ID"})
        if (from.hasKey(key) && !from.getKey(key).isNull())
            to.replaceKey(key, from.getKey(key));
}

std::string Padded(std::uint64_t value, int width) {
    std::string s = std::to_string(value);
    return std::string(static_cast<std::size_t>(std::max<int>(0, width - int(s.size()))), '0') + s;
}

// Runs of consecutive numbers: (first, count).
std::vector<std::pair<int, int>> Runs(const std::map<int, std::pair<std::uint64_t, int>>& xref) {
    std::vector<std::pair<int, int>> runs;
    for (const auto& [number, entry] : xref) {
        if (!runs.empty() && runs.back().first + runs.back().second == number)
            ++runs.back().second;
        else
            runs.emplace_back(number, 1);
    }
    return runs;
}

void AppendTable(std::string& out, const std::map<int, std::pair<std::uint64_t, int>>& xref,
                 QPDFObjectHandle trailer, std::uint64_t sectionAt) {
    out += "xref\n";
    auto entry = xref.begin();
    for (const auto& [first, count] : Runs(xref)) {
        out += std::to_string(first) + " " + std::to_string(count) + "\n";
        for (int i = 0; i < count; ++i, ++entry)
            out +=
                Padded(entry->second.first, 10) + " " + Padded(entry->second.second, 5) + " n \n";
    }
    out += "trailer\n";
    Compact(out, trailer, nullptr, true);
    out += "\nstartxref\n" + std::to_string(sectionAt) + "\n%%EOF\n";
}

void AppendStream(std::string& out, std::map<int, std::pair<std::uint64_t, int>> xref,
                  QPDFObjectHandle dict, int number, std::uint64_t sectionAt) {
    xref[number] = {sectionAt, 0};
    int width = 1;
    while (width < 8 && (sectionAt >> (8 * width)) != 0)
        ++width;
    std::string rows;
    for (const auto& [n, entry] : xref) {
        rows += '\1';
        for (int b = width - 1; b >= 0; --b)
            rows += static_cast<char>((entry.first >> (8 * b)) & 0xff);
        rows += static_cast<char>((entry.second >> 8) & 0xff);
        rows += static_cast<char>(entry.second & 0xff);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                  reinterpret_cast<const Bytef*>(rows.data()), static_cast<uLong>(rows.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("cannot compress the cross-reference stream");
    packed.resize(packedSize);

    QPDFObjectHandle index = QPDFObjectHandle::newArray();
    for (const auto& [first, count] : Runs(xref)) {
        index.appendItem(QPDFObjectHandle::newInteger(first));
        index.appendItem(QPDFObjectHandle::newInteger(count));
    }
    QPDFObjectHandle w = QPDFObjectHandle::newArray();
    for (int field : {1, width, 2})
        w.appendItem(QPDFObjectHandle::newInteger(field));
    dict.replaceKey("/Type", QPDFObjectHandle::newName("/XRef"));
    dict.replaceKey("/W", w);
    dict.replaceKey("/Index", index);
    dict.replaceKey("/Filter", QPDFObjectHandle::newName("/FlateDecode"));
    dict.replaceKey("/Length", QPDFObjectHandle::newInteger(static_cast<long long>(packed.size())));
    out += std::to_string(number) + " 0 obj\n";
    Compact(out, dict, nullptr, true);
    out += "\nstream\n" + packed + "\nendstream\nendobj\nstartxref\n" + std::to_string(sectionAt) +
           "\n%%EOF\n";
}

} // namespace

void IncrementalWriter::WriteOriginal(const OpenFile& file, int fd) {
    CopyPrefix(file.Descriptor(), fd, file.Size());
}

std::string IncrementalWriter::WhyNot(Document& doc) {
    QPDF& pdf = doc.Pdf();
    if (pdf.isEncrypted())
        return "the file is encrypted";
    if (!doc.Warnings().empty() || pdf.anyWarnings())
        return "the file was repaired while it was read";
    if (!pdf.getTrailer().getKey("/Root").isIndirect())
        return "the file's catalog is not an indirect object";
    // qpdf numbers new objects after the highest number it has met, a
    // reference to a missing object included; an update keeps those numbers,
    // and readers may refuse numbers past the limit the format sets (a
    // rewrite numbers every object afresh). A file already past it keeps
    // its updates: its readers take such numbers.
    if (pdf.getObjectCount() > static_cast<std::size_t>(kMaxObjectNumber)) {
        const std::map<QPDFObjGen, QPDFXRefEntry> xref = pdf.getXRefTable();
        if (xref.empty() || xref.rbegin()->first.getObj() <= kMaxObjectNumber)
            return "its new objects would be numbered past " + std::to_string(kMaxObjectNumber) +
                   ", which readers need not accept";
    }
    std::string why;
    if (!IncrementalBase::Read(doc.FileData(), &why))
        return why;
    return {};
}

void IncrementalWriter::Write(Document& doc, std::FILE* out) {
    std::string why;
    const std::optional<IncrementalBase> base = IncrementalBase::Read(doc.FileData(), &why);
    if (!base)
        throw std::runtime_error(why);
    QPDF& pdf = doc.Pdf();
    // The copy of the whole table goes at once: a save is near the peak.
    const int lastOld = [&pdf] {
        const std::map<QPDFObjGen, QPDFXRefEntry> oldXref = pdf.getXRefTable();
        return oldXref.empty() ? 0 : oldXref.rbegin()->first.getObj();
    }();
    QPDFObjectHandle trailer = pdf.getTrailer();
    QPDFObjectHandle root = trailer.getKey("/Root");

    UpdateSet update(lastOld);
    for (const QPDFObjGen& og : doc.Changes().Changed())
        update.AddChanged(og, pdf.getObject(og));
    // A picture with an opacity needs PDF 1.4; an update raises the
    // version in the catalog, which overrides the header's.
    if (doc.UsesTransparency() && VersionNumber(pdf.getPDFVersion()) < 14 &&
        !(root.getKey("/Version").isName() &&
          VersionNumber(root.getKey("/Version").getName().substr(1)) >= 14)) {
        QPDFObjectHandle raised = root.shallowCopy();
        raised.replaceKey("/Version", QPDFObjectHandle::newName("/1.4"));
        update.AddChanged(root.getObjGen(), raised);
    }
    QPDFObjectHandle next = QPDFObjectHandle::newDictionary();
    CopyTrailerEntries(trailer, next);
    update.Reach(next);

    if (std::fflush(out) != 0)
        Fail("cannot write the file");
    const int fd = ::fileno(out);
    const off_t at = ::lseek(fd, 0, SEEK_CUR);
    if (at == 0)
        CopyPrefix(doc.FileData().Descriptor(), fd, base->size);
    else if (at < 0 || static_cast<std::uint64_t>(at) != base->size)
        throw std::runtime_error("the file holds something other than the original bytes");

    // The update goes out in pieces as it is made, so a large one is never
    // held whole.
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    std::uint64_t written = base->size;
    std::string tail = base->endsInNewline ? "" : "\n";
    std::map<int, std::pair<std::uint64_t, int>> xref; // number -> offset, generation
    int size =
        std::max<int>(lastOld + 1, trailer.getKey("/Size").isInteger()
                                       ? static_cast<int>(trailer.getKey("/Size").getIntValue())
                                       : 0);
    QPDFObjGen og;
    QPDFObjectHandle object;
    while (update.Next(og, object)) {
        xref[og.getObj()] = {written + tail.size(), og.getGen()};
        AppendObject(tail, og, object, update);
        size = std::max(size, og.getObj() + 1);
        if (tail.size() >= kPiece) {
            WriteAll(fd, tail.data(), tail.size());
            written += tail.size();
            tail.clear();
        }
    }
    next.replaceKey("/Prev",
                    QPDFObjectHandle::newInteger(static_cast<long long>(base->lastSection)));
    const std::uint64_t sectionAt = written + tail.size();
    if (base->kind == IncrementalBase::Kind::Table) {
        next.replaceKey("/Size", QPDFObjectHandle::newInteger(size));
        AppendTable(tail, xref, next, sectionAt);
    } else {
        // The stream is an object too: it takes the next free number.
        next.replaceKey("/Size", QPDFObjectHandle::newInteger(size + 1));
        AppendStream(tail, xref, next, size, sectionAt);
    }
    WriteAll(fd, tail.data(), tail.size());
}

} // namespace pdfhost::pdf
