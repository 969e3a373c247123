#include "pdfhost/pdf/ContentParser.h"

#include <optional>

#include "pdfhost/pdf/ContentLexer.h"
#include "sdk/PIRecords.h"

namespace pdfhost::pdf {
namespace {

enum class Bracket { None, Save, Marked, Text };

Bracket OpenerKind(std::string_view op) {
    if (op == "q")
        return Bracket::Save;
    if (op == "BMC" || op == "BDC")
        return Bracket::Marked;
    if (op == "BT")
        return Bracket::Text;
    return Bracket::None;
}

Bracket CloserKind(std::string_view op) {
    if (op == "Q")
        return Bracket::Save;
    if (op == "EMC")
        return Bracket::Marked;
    if (op == "ET")
        return Bracket::Text;
    return Bracket::None;
}

bool IsPathConstruction(std::string_view op) {
    return op == "m" || op == "l" || op == "c" || op == "v" || op == "y" || op == "h" || op == "re";
}

bool IsPathPaint(std::string_view op) {
    return op == "S" || op == "s" || op == "f" || op == "F" || op == "f*" || op == "B" ||
           op == "B*" || op == "b" || op == "b*";
}

bool IsTextShow(std::string_view op) {
    return op == "Tj" || op == "TJ" || op == "'" || op == "\"";
}

struct Painting {
    ASInt32 type = 0;
    std::string_view xobjectName;
};

// What a group holds, counted the way items are made: a flattened q ... Q
// group counts its paintings, a container or text object counts once.
struct GroupInfo {
    std::size_t close = 0; // index of the matching closer
    int paintings = 0;
    Painting single; // the painting, when there is exactly one
};

class Parser {
  public:
    Parser(std::string_view content, const XObjectTypeOf& typeOf)
        : content_(content), typeOf_(typeOf) {}

    ParsedContent Run() {
        Lex();
        MarkUnmatchedRestores();
        const bool nested = MatchBrackets();
        if (nested)
            BuildNested();
        else
            BuildFlat();
        result_.trailer = std::move(state_);
        return std::move(result_);
    }

  private:
    void Lex() {
        ContentLexer lexer(content_);
        ContentOp op;
        while (lexer.Next(op))
            ops_.push_back(op);
        dropped_.assign(ops_.size(), false);
        droppedBefore_.assign(ops_.size() + 1, 0);
        groups_.assign(ops_.size(), std::nullopt);
    }

    // A Q with no q to restore is ignored by viewers; it is left out so that
    // the content can later be wrapped in a q ... Q of its own.
    void MarkUnmatchedRestores() {
        std::size_t open = 0;
        for (std::size_t i = 0; i < ops_.size(); ++i) {
            if (ops_[i].op == "q") {
                ++open;
            } else if (ops_[i].op == "Q") {
                if (open > 0) {
                    --open;
                } else {
                    dropped_[i] = true;
                    ++result_.balance.unmatchedRestores;
                }
            }
            droppedBefore_[i + 1] = droppedBefore_[i] + (dropped_[i] ? 1 : 0);
        }
        result_.balance.openSaves = open;
    }

    std::optional<Painting> LeafPainting(std::size_t i) const {
        const std::string_view op = ops_[i].op;
        if (IsPathPaint(op))
            return Painting{kPDEPath, {}};
        if (op == "Do")
            return Painting{typeOf_(ops_[i].lastName), ops_[i].lastName};
        if (op == "BI")
            return Painting{kPDEInlineImage, {}};
        if (op == "sh")
            return Painting{kPDEShading, {}};
        if (IsTextShow(op))
            return Painting{kPDEText, {}};
        return std::nullopt;
    }

    // Matches q/Q, BMC/BDC/EMC and BT/ET with one stack and counts the
    // paintings inside each matched group. False when brackets of different
    // kinds cross, which leaves no sound grouping.
    bool MatchBrackets() {
        struct Open {
            std::size_t index;
            Bracket kind;
            int paintings = 0;
            Painting single;
        };
        std::vector<Open> stack;
        auto contribute = [&](int n, const Painting& p) {
            if (stack.empty() || n == 0)
                return;
            stack.back().paintings += n;
            if (stack.back().paintings == 1)
                stack.back().single = p;
        };
        for (std::size_t i = 0; i < ops_.size(); ++i) {
            if (dropped_[i])
                continue;
            const std::string_view op = ops_[i].op;
            if (const Bracket k = OpenerKind(op); k != Bracket::None) {
                stack.push_back(Open{i, k, 0, {}});
                continue;
            }
            if (const Bracket k = CloserKind(op); k != Bracket::None) {
                if (!stack.empty() && stack.back().kind == k) {
                    Open done = stack.back();
                    stack.pop_back();
                    groups_[done.index] = GroupInfo{i, done.paintings, done.single};
                    if (k == Bracket::Save)
                        contribute(done.paintings, done.single);
                    else if (done.paintings > 0)
                        contribute(1,
                                   Painting{k == Bracket::Marked ? kPDEContainer : kPDEText, {}});
                    continue;
                }
                for (const Open& o : stack)
                    if (o.kind == k)
                        return false;
                continue; // a closer with nothing to close: plain state
            }
            if (auto p = LeafPainting(i))
                contribute(1, *p);
        }
        return true;
    }

    std::string Bytes(std::size_t first, std::size_t last) const {
        if (droppedBefore_[last + 1] == droppedBefore_[first])
            return std::string(
                content_.substr(ops_[first].begin, ops_[last].end - ops_[first].begin));
        std::string out;
        for (std::size_t i = first; i <= last; ++i) {
            if (dropped_[i])
                continue;
            out += Bytes(i, i);
            out += '\n';
        }
        return out;
    }

    void AddState(std::size_t first, std::size_t last) {
        state_ += Bytes(first, last);
        state_ += '\n';
    }

    void AddItem(std::size_t first, std::size_t last, const Painting& p) {
        result_.items.push_back(ParsedItem{p.type, std::move(state_), Bytes(first, last),
                                           std::string(p.xobjectName), ops_[first].begin,
                                           ops_[last].end});
        state_.clear();
    }

    // A path: construction operators, an optional clip, then the operator
    // that paints it; "n" paints nothing, so such a path is state (a clip).
    // Returns the index after what was consumed.
    std::size_t TakePath(std::size_t i) {
        std::size_t j = i;
        while (j < ops_.size() && IsPathConstruction(ops_[j].op))
            ++j;
        if (j < ops_.size() && (ops_[j].op == "W" || ops_[j].op == "W*"))
            ++j;
        if (j < ops_.size() && IsPathPaint(ops_[j].op)) {
            AddItem(i, j, Painting{kPDEPath, {}});
            return j + 1;
        }
        if (j < ops_.size() && ops_[j].op == "n")
            ++j;
        AddState(i, j - 1);
        return j;
    }

    std::size_t TakeLeafOrState(std::size_t i) {
        const std::string_view op = ops_[i].op;
        if (IsPathConstruction(op) || op == "W" || op == "W*")
            return TakePath(i);
        if (auto p = LeafPainting(i))
            AddItem(i, i, *p);
        else
            AddState(i, i);
        return i + 1;
    }

    void BuildNested() {
        std::size_t i = 0;
        while (i < ops_.size()) {
            if (dropped_[i]) {
                ++i;
                continue;
            }
            const std::optional<GroupInfo>& g = groups_[i];
            if (!g) {
                i = TakeLeafOrState(i);
                continue;
            }
            const bool save = ops_[i].op == "q";
            if (g->paintings == 0) {
                AddState(i, g->close);
            } else if (save && g->paintings > 1) {
                // Flattened: the q is state, the inside is walked, and the
                // matching Q is met later as state.
                AddState(i, i);
                ++i;
                continue;
            } else if (save) {
                AddItem(i, g->close, g->single);
            } else {
                AddItem(i, g->close, Painting{ops_[i].op == "BT" ? kPDEText : kPDEContainer, {}});
            }
            i = g->close + 1;
        }
    }

    // No grouping but text objects that hold no other brackets.
    void BuildFlat() {
        std::size_t i = 0;
        while (i < ops_.size()) {
            if (dropped_[i]) {
                ++i;
                continue;
            }
            if (ops_[i].op == "BT") {
                if (const std::size_t end = CleanTextObjectEnd(i); end != 0) {
                    bool shows = false;
                    for (std::size_t k = i; k <= end; ++k)
                        shows = shows || IsTextShow(ops_[k].op);
                    if (shows)
                        AddItem(i, end, Painting{kPDEText, {}});
                    else
                        AddState(i, end);
                    i = end + 1;
                    continue;
                }
            }
            i = TakeLeafOrState(i);
        }
    }

    std::size_t CleanTextObjectEnd(std::size_t bt) const {
        for (std::size_t k = bt + 1; k < ops_.size(); ++k) {
            const std::string_view op = ops_[k].op;
            if (op == "ET")
                return k;
            if (OpenerKind(op) != Bracket::None || CloserKind(op) != Bracket::None)
                return 0;
        }
        return 0;
    }

    std::string_view content_;
    const XObjectTypeOf& typeOf_;
    std::vector<ContentOp> ops_;
    std::vector<bool> dropped_;
    std::vector<std::size_t> droppedBefore_;
    std::vector<std::optional<GroupInfo>> groups_;
    std::string state_;
    ParsedContent result_;
};

} // namespace

ParsedContent ParseContent(std::string_view content, const XObjectTypeOf& typeOf) {
    return Parser(content, typeOf).Run();
}

} // namespace pdfhost::pdf
