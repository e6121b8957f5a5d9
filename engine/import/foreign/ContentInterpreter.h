#pragma once
// Runs the content streams of a page (and the forms they draw) with a graphics state,
// and hands every shown string to a line assembler in page coordinates.
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <qpdf/QPDFMatrix.hh>
#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include "import/foreign/ContentParser.h"
#include "import/foreign/ConversionBudget.h"
#include "import/foreign/ForeignFont.h"
#include "import/foreign/LineAssembler.h"

namespace scrivane::foreign {

// A resource dictionary and the object that holds it (a page or a form), which tells
// apart fonts written into different dictionaries under the same name.
struct Resources {
    QPDFObjectHandle dict;
    QPDFObjGen holder;
};

// Fonts read so far, by their object: pages that share a font read it once.
using FontCache = std::map<QPDFObjGen, std::unique_ptr<ForeignFont>>;

struct GraphicsState {
    QPDFMatrix ctm;
    Colour colour;
    const ForeignFont* font = nullptr;
    double fontSize = 0;
    double charSpacing = 0, wordSpacing = 0, scale = 1, leading = 0, rise = 0;
};

class ContentInterpreter {
public:
    // left and top: the page box's edges, which page coordinates count from.
    ContentInterpreter(ConversionBudget& budget, FontCache& fonts, LineAssembler& lines,
                       double left, double top)
        : budget_(budget), fonts_(fonts), lines_(lines), left_(left), top_(top),
          operatorsLeft_(budget.limits.maxOperatorsPerPage) {}

    // Runs one content stream; depth counts the forms it is drawn inside.
    void Run(std::string_view content, const Resources& resources, int depth);

private:
    struct Operation;
    using Handler = void (ContentInterpreter::*)(const Operation&);
    static const std::unordered_map<std::string_view, Handler>& Operators();

    bool Stopped() const {
        return operatorsLeft_ == 0 || budget_.operatorsLeft == 0 || budget_.textFull;
    }

    // Text objects and text state
    void BeginText(const Operation&);
    void SetFont(const Operation&);
    void SetCharSpacing(const Operation&);
    void SetWordSpacing(const Operation&);
    void SetScale(const Operation&);
    void SetLeading(const Operation&);
    void SetRise(const Operation&);
    // Text position and showing
    void MoveLine(const Operation&);
    void MoveLineSetLeading(const Operation&);
    void SetTextMatrix(const Operation&);
    void NextLineOp(const Operation&);
    void ShowString(const Operation&);
    void NextLineShow(const Operation&);
    void SpacingNextLineShow(const Operation&);
    void ShowArray(const Operation&);
    // Graphics state, colour, forms
    void Save(const Operation&);
    void Restore(const Operation&);
    void Transform(const Operation&);
    void SetRgb(const Operation&);
    void SetGray(const Operation&);
    void SetCmyk(const Operation&);
    void SetComponents(const Operation&);
    void DrawXObject(const Operation&);

    void NextLine(double tx, double ty);
    // Gray, RGB or CMYK by the number of components, 0..1 each.
    void SetColour(const std::vector<double>& components);
    void Show(const std::string& bytes, bool forcedSpace);
    const ForeignFont* Font(const Resources& resources, const std::string& name);
    void DrawForm(QPDFObjectHandle form, const Resources& resources, int depth);

    ConversionBudget& budget_;
    FontCache& fonts_;
    LineAssembler& lines_;
    std::vector<std::unique_ptr<ForeignFont>> directFonts_;
    std::map<std::string, const ForeignFont*> fontsByName_;
    double left_, top_;
    size_t operatorsLeft_;
    GraphicsState state_;
    std::vector<GraphicsState> saved_;
    size_t unsavedPushes_ = 0;  // q operators past the depth limit, matched by Q
    QPDFMatrix textMatrix_, lineMatrix_;
    std::set<QPDFObjGen> activeForms_;
};

}  // namespace scrivane::foreign
