// The formula translator: classroom notation rewritten into evaluator syntax, relations solved for y.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace kurvo {

/// How a text is translated: degree forms, relations left unsolved, the typed separators.
struct TTranslateOptions {
    bool Degrees = false;
    bool Implicit_simple_sort = false;
    char DecimalSeparator = '.';
    char ThousandSeparator = '\0';
};

/// One translation and its facts. `Relation` says whether the text was a relation; ycount,
/// SolvedForY, Root and SecondFn describe it then and are zero/empty otherwise.
struct TTranslation {
    std::string Outstring;
    bool Relation = false;
    int ycount = 0;
    bool SolvedForY = false;
    bool Root = false;
    std::string SecondFn;
};

/// Translates one text with the given options; nothing is kept between calls. Raises as
/// TFormulaTrans::Translate does.
TTranslation translateFormula(const std::string& text, const TTranslateOptions& options);

/// Rewrites a formula typed in classroom notation (sin²x, 2x(x+1), |x|, 3!, f'(x), y²=25-x²) into
/// the evaluator syntax that TParser accepts, by a fixed sequence of purely textual steps. It never
/// evaluates anything; an unusable result is reported by the parser it is handed to.
///
/// Texts are single-byte Windows-1252 ("²" is byte 0xB2, "³" byte 0xB3).
///
/// Usage: set Instring (and, as needed, Degrees, Implicit_simple_sort and the separators), call
/// Translate, read Outstring. For a relation the translator also reports ycount, SolvedForY, Root
/// and SecondFn: when SolvedForY is true, Outstring is y as a function of x, and when Root is true
/// SecondFn is the second branch, to be translated again the same way.
class TFormulaTrans {
  public:
    /// Size of the name tables; entries 0 to NameCount - 1 are used.
    static constexpr std::size_t TableSize = 68;
    static constexpr std::size_t NameCount = 66;
    using NameTable = std::array<std::string, TableSize>;

    /// Builds the name tables (with Degrees false).
    TFormulaTrans();

    // ---- set by the caller ----
    /// The text to translate.
    std::string Instring;
    /// Trigonometric names translate to their degree forms.
    bool Degrees = false;
    /// A relation becomes left side - (right side) instead of being solved for y.
    bool Implicit_simple_sort = false;
    /// The system's decimal separator; when it is "," the first "," typed is read as the decimal point.
    char DecimalSeparator = '.';
    /// The system's thousands separator, removed wherever it is typed; '\0' for none.
    char ThousandSeparator = '\0';

    // ---- written by Translate ----
    /// The translation.
    std::string Outstring;
    /// Number of "y" characters in the last relation translated (kept when the text is no relation).
    int ycount = 0;
    /// The last relation translated was solved for y, so Outstring is y = f(x); callers choose the
    /// solved plot by this flag, not by ycount = 1 alone. False when the relation took the implicit
    /// form: two or more y, no y at all, Implicit_simple_sort, or a form the rearrangement cannot
    /// undo (log(y)=x, y/2=x). Like ycount it keeps its value across texts that are no relation.
    bool SolvedForY = false;
    /// The solution has a second branch; only ever set to true here, the caller clears it.
    bool Root = false;
    /// The second branch (the negated root) in classroom notation; keeps its last value.
    std::string SecondFn;

    /// Translates Instring into Outstring with translateFormula and takes over its facts as
    /// described above. Raises EConvertError for a "!" without a number before it and
    /// ETranslateError for a factorial too large for a double.
    void Translate();
    /// The options these fields hold.
    TTranslateOptions options() const { return {Degrees, Implicit_simple_sort, DecimalSeparator, ThousandSeparator}; }

    /// Solves a relation text with one y (lower case, without blanks) for y; the result is in
    /// classroom notation, ready for the remaining steps of Translate. Sets SolvedForY, and Root and
    /// SecondFn when a branch is recorded. When the relation cannot be solved (no y term, or a form
    /// the rearrangement cannot undo) the result is the implicit form left - (right).
    std::string IsolateY(const std::string& relation);

    /// The tables as last built: names as typed, the evaluator names that replace them, and the
    /// evaluator names of their inverse functions (empty: none).
    const NameTable& UserNames() const { return userNames_; }
    const NameTable& ParserNames() const { return parserNames_; }
    const NameTable& InverseNames() const { return inverseNames_; }

    /// Most passes IsolateY makes before it gives up and returns the implicit form.
    static constexpr int MaxIsolatePasses = 64;

  private:
    friend TTranslation translateFormula(const std::string&, const TTranslateOptions&);
    /// The steps themselves, on this object's fields.
    void translateHere();
    bool relation_ = false;
    void buildTables();
    std::string relationStep(const std::string& t);
    void replaceNames(std::string& t) const;

    NameTable userNames_, parserNames_, inverseNames_;
};

} // namespace kurvo
