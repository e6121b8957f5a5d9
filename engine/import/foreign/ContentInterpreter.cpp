#include "import/foreign/ContentInterpreter.h"

#include <algorithm>
#include <cmath>

#include "import/foreign/FontLoader.h"
#include "import/foreign/ObjectAccess.h"
#include "import/foreign/StreamDecoding.h"

namespace scrivane::foreign {

namespace {

constexpr size_t kMaxStateDepth = 1024;
constexpr double kWordSpaceKerning = -200;  // TJ displacement (1/1000 em) that is a space

int Channel(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}

// The text and advance (1/1000 em) of one code of a font. text may point into scratch.
double GlyphOf(const ForeignFont& font, uint32_t code, std::string& scratch,
               std::string_view& text) {
    if (!font.composite) {
        text = font.simpleText[code];
        return font.simpleWidth[code];
    }
    if (auto found = font.toUnicode.find(code); found != font.toUnicode.end()) {
        text = found->second;
    } else {
        scratch.clear();
        if (code >= 0x20 && code < 0x100 && code != 0x7F) {
            scratch.push_back(static_cast<char>(code));
        } else {
            scratch = "?";
        }
        text = scratch;
    }
    auto w = font.cidWidth.find(code);
    return w != font.cidWidth.end() ? w->second : font.defaultWidth;
}

}  // namespace

// One operator's operands, counted from the last as the operators name them, with the
// resources and form depth of the stream it stands in.
struct ContentInterpreter::Operation {
    const std::vector<Operand>& operands;
    const Resources& resources;
    int depth;

    size_t Count() const { return operands.size(); }
    // The operand n places from the end (1: the last) when it is of that kind.
    const Operand* FromEnd(size_t n, Operand::Kind kind) const {
        if (n == 0 || n > operands.size()) return nullptr;
        const Operand& o = operands[operands.size() - n];
        return o.kind == kind ? &o : nullptr;
    }
    // The number n places from the end; 0 when that is no number.
    double Num(size_t n) const {
        const Operand* o = FromEnd(n, Operand::kNumber);
        return o ? o->number : 0.0;
    }
    // True when there are n operands at least and the last n are numbers.
    bool Numbers(size_t n) const {
        if (operands.size() < n) return false;
        for (size_t i = 1; i <= n; ++i) {
            if (!FromEnd(i, Operand::kNumber)) return false;
        }
        return true;
    }
    // The last six operands as a matrix (a b c d e f).
    QPDFMatrix MatrixOperands() const {
        return QPDFMatrix(Num(6), Num(5), Num(4), Num(3), Num(2), Num(1));
    }
};

const std::unordered_map<std::string_view, ContentInterpreter::Handler>&
ContentInterpreter::Operators() {  // data table
    static const std::unordered_map<std::string_view, Handler> table = {
        {"BT", &ContentInterpreter::BeginText},
        {"Tf", &ContentInterpreter::SetFont},
        {"Tc", &ContentInterpreter::SetCharSpacing},
        {"Tw", &ContentInterpreter::SetWordSpacing},
        {"Tz", &ContentInterpreter::SetScale},
        {"TL", &ContentInterpreter::SetLeading},
        {"Ts", &ContentInterpreter::SetRise},
        {"Td", &ContentInterpreter::MoveLine},
        {"TD", &ContentInterpreter::MoveLineSetLeading},
        {"Tm", &ContentInterpreter::SetTextMatrix},
        {"T*", &ContentInterpreter::NextLineOp},
        {"Tj", &ContentInterpreter::ShowString},
        {"'", &ContentInterpreter::NextLineShow},
        {"\"", &ContentInterpreter::SpacingNextLineShow},
        {"TJ", &ContentInterpreter::ShowArray},
        {"q", &ContentInterpreter::Save},
        {"Q", &ContentInterpreter::Restore},
        {"cm", &ContentInterpreter::Transform},
        {"rg", &ContentInterpreter::SetRgb},
        {"g", &ContentInterpreter::SetGray},
        {"k", &ContentInterpreter::SetCmyk},
        {"sc", &ContentInterpreter::SetComponents},
        {"scn", &ContentInterpreter::SetComponents},
        {"Do", &ContentInterpreter::DrawXObject},
    };
    return table;
}

void ContentInterpreter::Run(std::string_view content, const Resources& resources, int depth) {
    ContentParser parser(content);
    const auto& operators = Operators();
    std::vector<Operand> operands;
    while (!Stopped() && parser.Next(operands)) {
        --operatorsLeft_;
        --budget_.operatorsLeft;
        auto found = operators.find(parser.Operator());
        if (found != operators.end()) (this->*found->second)(Operation{operands, resources, depth});
    }
}

void ContentInterpreter::BeginText(const Operation&) { textMatrix_ = lineMatrix_ = QPDFMatrix(); }

void ContentInterpreter::SetFont(const Operation& op) {
    const Operand* name = op.FromEnd(2, Operand::kName);
    if (!name) return;
    state_.font = Font(op.resources, name->text);
    state_.fontSize = op.Num(1);
}

void ContentInterpreter::SetCharSpacing(const Operation& op) {
    if (op.Numbers(1)) state_.charSpacing = op.Num(1);
}

void ContentInterpreter::SetWordSpacing(const Operation& op) {
    if (op.Numbers(1)) state_.wordSpacing = op.Num(1);
}

void ContentInterpreter::SetScale(const Operation& op) {
    if (op.Numbers(1)) state_.scale = op.Num(1) / 100;
}

void ContentInterpreter::SetLeading(const Operation& op) {
    if (op.Numbers(1)) state_.leading = op.Num(1);
}

void ContentInterpreter::SetRise(const Operation& op) {
    if (op.Numbers(1)) state_.rise = op.Num(1);
}

void ContentInterpreter::MoveLine(const Operation& op) {
    if (op.Numbers(2)) NextLine(op.Num(2), op.Num(1));
}

void ContentInterpreter::MoveLineSetLeading(const Operation& op) {
    if (!op.Numbers(2)) return;
    state_.leading = -op.Num(1);
    NextLine(op.Num(2), op.Num(1));
}

void ContentInterpreter::SetTextMatrix(const Operation& op) {
    if (op.Numbers(6)) lineMatrix_ = textMatrix_ = op.MatrixOperands();
}

void ContentInterpreter::NextLineOp(const Operation&) { NextLine(0, -state_.leading); }

void ContentInterpreter::ShowString(const Operation& op) {
    if (const Operand* s = op.FromEnd(1, Operand::kString)) Show(s->text, false);
}

void ContentInterpreter::NextLineShow(const Operation& op) {
    NextLine(0, -state_.leading);
    ShowString(op);
}

void ContentInterpreter::SpacingNextLineShow(const Operation& op) {
    if (op.FromEnd(3, Operand::kNumber) && op.FromEnd(2, Operand::kNumber)) {
        state_.wordSpacing = op.Num(3);
        state_.charSpacing = op.Num(2);
    }
    NextLineShow(op);
}

void ContentInterpreter::ShowArray(const Operation& op) {
    const Operand* array = op.FromEnd(1, Operand::kArray);
    if (!array) return;
    bool space = false;
    for (const Operand& item : array->items) {
        if (item.kind == Operand::kString) {
            Show(item.text, space);
            space = false;
        } else {
            textMatrix_.translate(-item.number / 1000 * state_.fontSize * state_.scale, 0);
            if (item.number < kWordSpaceKerning) space = true;
        }
    }
}

void ContentInterpreter::Save(const Operation&) {
    if (saved_.size() < kMaxStateDepth) {
        saved_.push_back(state_);
    } else {
        ++unsavedPushes_;
    }
}

void ContentInterpreter::Restore(const Operation&) {
    if (unsavedPushes_ > 0) {
        --unsavedPushes_;
    } else if (!saved_.empty()) {
        state_ = saved_.back();
        saved_.pop_back();
    }
}

void ContentInterpreter::Transform(const Operation& op) {
    if (op.Numbers(6)) state_.ctm.concat(op.MatrixOperands());
}

void ContentInterpreter::SetRgb(const Operation& op) {
    if (op.Numbers(3)) SetColour({op.Num(3), op.Num(2), op.Num(1)});
}

void ContentInterpreter::SetGray(const Operation& op) {
    if (op.Numbers(1)) SetColour({op.Num(1)});
}

void ContentInterpreter::SetCmyk(const Operation& op) {
    if (op.Numbers(4)) SetColour({op.Num(4), op.Num(3), op.Num(2), op.Num(1)});
}

void ContentInterpreter::SetComponents(const Operation& op) {
    size_t count = op.Count();
    if (count == 0 || !op.Numbers(count)) return;
    std::vector<double> components;
    for (size_t i = count; i > 0; --i) components.push_back(op.Num(i));
    SetColour(components);
}

void ContentInterpreter::DrawXObject(const Operation& op) {
    const Operand* name = op.FromEnd(1, Operand::kName);
    if (!name) return;
    QPDFObjectHandle xobject = Key(Key(op.resources.dict, "/XObject"), name->text);
    if (xobject.isStream() && Key(xobject.getDict(), "/Subtype").isNameAndEquals("/Form")) {
        DrawForm(xobject, op.resources, op.depth);
    }
}

void ContentInterpreter::NextLine(double tx, double ty) {
    lineMatrix_.translate(tx, ty);
    textMatrix_ = lineMatrix_;
}

void ContentInterpreter::SetColour(const std::vector<double>& c) {
    if (c.size() == 1) {
        state_.colour = {Channel(c[0]), Channel(c[0]), Channel(c[0])};
    } else if (c.size() == 3) {
        state_.colour = {Channel(c[0]), Channel(c[1]), Channel(c[2])};
    } else if (c.size() == 4) {
        double k = 1 - std::clamp(c[3], 0.0, 1.0);
        state_.colour = {Channel((1 - c[0]) * k), Channel((1 - c[1]) * k), Channel((1 - c[2]) * k)};
    }
}

void ContentInterpreter::Show(const std::string& bytes, bool forcedSpace) {
    const ForeignFont& font = state_.font ? *state_.font : FallbackFont();
    const double size = state_.fontSize;
    Piece piece;
    piece.colour = state_.colour;
    piece.forcedSpace = forcedSpace;
    bool blank = false;  // space characters since the last visible glyph
    std::string scratch;
    std::string_view text;
    QPDFMatrix step;  // the advance after each glyph, as translate() would make it
    for (size_t at = 0; at < bytes.size();) {
        size_t length = CodeLength(font, bytes, at);
        uint32_t code = CodeValue(std::string_view(bytes).substr(at, length));
        at += length;
        double width = GlyphOf(font, code, scratch, text);
        if (text.find_first_not_of(' ') == std::string_view::npos) {
            if (!text.empty()) blank = true;
        } else {
            QPDFMatrix render = state_.ctm;
            render.concat(textMatrix_);
            double x, y, endX, endY;
            render.transform(0, state_.rise, x, y);
            render.transform(width / 1000 * size * state_.scale, state_.rise, endX, endY);
            x -= left_;
            endX -= left_;
            if (piece.text.empty()) {
                piece.x = x;
                piece.y = top_ - y;
                piece.size = std::fabs(size) * std::hypot(render.c, render.d);
                piece.blankBefore = blank;
            } else if (WordBreak(x - piece.xEnd, piece.size, blank)) {
                piece.text.push_back(' ');
            }
            blank = false;
            piece.text += text;
            piece.xEnd = endX;
        }
        double wordSpace = length == 1 && code == 32 ? state_.wordSpacing : 0;
        step.e = (width / 1000 * size + state_.charSpacing + wordSpace) * state_.scale;
        textMatrix_.concat(step);
    }
    piece.blankAfter = blank;
    if (!piece.text.empty()) lines_.Add(std::move(piece));
}

const ForeignFont* ContentInterpreter::Font(const Resources& resources, const std::string& name) {
    QPDFObjectHandle dict = Key(Key(resources.dict, "/Font"), name);
    if (!dict.isDictionary()) return nullptr;
    if (dict.isIndirect()) {
        auto& slot = fonts_[dict.getObjGen()];
        if (!slot) slot = LoadFont(dict, budget_);
        return slot.get();
    }
    // A font written into the resources directly: known by its holder and name.
    std::string key = name + " " + resources.holder.unparse(' ');
    if (auto found = fontsByName_.find(key); found != fontsByName_.end()) return found->second;
    directFonts_.push_back(LoadFont(dict, budget_));
    fontsByName_[key] = directFonts_.back().get();
    return directFonts_.back().get();
}

void ContentInterpreter::DrawForm(QPDFObjectHandle form, const Resources& resources, int depth) {
    if (depth >= budget_.limits.maxFormDepth) return;
    if (form.isIndirect() && !activeForms_.insert(form.getObjGen()).second) return;
    QPDFObjectHandle dict = form.getDict();
    QPDFObjectHandle matrix = Key(dict, "/Matrix");
    GraphicsState outer = state_;
    QPDFMatrix savedText = textMatrix_, savedLine = lineMatrix_;
    if (matrix.isArray() && matrix.getArrayNItems() == 6) {
        auto at = [&](int i, double fallback) { return Number(matrix.getArrayItem(i), fallback); };
        state_.ctm.concat(QPDFMatrix(at(0, 1), at(1, 0), at(2, 0), at(3, 1), at(4, 0), at(5, 0)));
    }
    QPDFObjectHandle own = Key(dict, "/Resources");
    size_t savedDepth = saved_.size(), savedUnsaved = unsavedPushes_;
    std::string content = DecodeStream(form, budget_.limits.maxStreamBytes, budget_);
    Run(content, own.isDictionary() ? Resources{own, form.getObjGen()} : resources, depth + 1);
    saved_.resize(std::min(saved_.size(), savedDepth));
    unsavedPushes_ = savedUnsaved;
    state_ = outer;
    textMatrix_ = savedText;
    lineMatrix_ = savedLine;
    if (form.isIndirect()) activeForms_.erase(form.getObjGen());
}

}  // namespace scrivane::foreign
