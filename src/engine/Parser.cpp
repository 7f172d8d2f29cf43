// TCustomParser2 and TParser: text preparation, the build into an operation list, and evaluation.
#include "AsciiCase.h"
#include "Parser.h"

#include "FloatStatus.h"
#include "FunctionTable.h"
#include "Grammar.h"

#include <algorithm>
#include <array>

namespace kurvo {

namespace {
constexpr int MaxLevel = 20;     // levels 1..20 hold steps; level 0 receives the result
constexpr int MaxPositions = 50; // steps per level

} // namespace

// ---- build -----------------------------------------------------------------------------------------

/// Turns a prepared text into steps level by level, then links them deepest level first.
/// Terms are visited depth first, first operand before second, so positions within a level are
/// numbered in that order and a two-operand step's children share its position one level down.
class OperationListBuilder {
  public:
    OperationListBuilder(TCustomParser2& parser, ExpressionGrammar& grammar)
        : parser_(parser), grammar_(grammar) {}

    void build(Span root) {
        Operand r = buildTerm(root, 0);
        link(r);
    }

  private:
    struct Operand {
        const double* variable = nullptr;
        int cell = -1;
    };
    struct Step {
        OperationRecord record;
        Operand first, second;
        int resultCell = -1;
        int level = 0, position = 0;
    };

    int newCell(double v) {
        cellValues_.push_back(v);
        return static_cast<int>(cellValues_.size()) - 1;
    }

    Operand buildTerm(Span text, int level) {
        TermShape shape;
        std::string lastLeft, lastRight;
        if (!grammar_.classify(text, shape, lastLeft, lastRight)) {
            std::string message = std::string(msg::SyntaxError) + '\r';
            if (lastLeft != " " || lastRight != " ")
                message += lastLeft + '\r' + lastRight;
            else
                message += grammar_.str(text);
            throw ESyntaxError(message);
        }
        if (shape.kind == KindVariable) return Operand{shape.variable, -1};
        if (shape.kind == KindNumber) return Operand{nullptr, newCell(shape.number)};

        int L = level + 1;
        if (L > MaxLevel) throw ETooManyNestings(msg::TooManyNestings);
        int P = counts_[static_cast<std::size_t>(L)] + 1;
        if (P > MaxPositions) throw EExpressionTooComplex(msg::TooComplex);
        deepest_ = std::max(deepest_, L);

        std::size_t index = steps_.size();
        Step step;
        step.level = L;
        step.position = P;
        step.record.kind = static_cast<std::uint8_t>(shape.kind);
        step.record.context = &parser_.context();
        if (shape.function) {
            step.record.routine = shape.function->routine;
            step.record.aux = shape.function->aux;
        } else {
            step.record.routine = operatorRoutine(shape.kind);
        }
        step.resultCell = newCell(0.0);
        steps_.push_back(step);

        bool twoOperands = shape.hasRight;
        if (!twoOperands) ++counts_[static_cast<std::size_t>(L)];
        Operand first = buildTerm(shape.left, L);
        steps_[index].first = first;
        if (twoOperands) {
            ++counts_[static_cast<std::size_t>(L)];
            Operand second = buildTerm(shape.right, L);
            steps_[index].second = second;
        }
        return Operand{nullptr, steps_[index].resultCell};
    }

    void link(Operand root) {
        auto& cells = parser_.cells_;
        cells = cellValues_; // sized once: the addresses below stay valid for the list's life
        auto address = [&](Operand o) -> const double* {
            if (o.variable) return o.variable;
            if (o.cell >= 0) return &cells[static_cast<std::size_t>(o.cell)];
            return nullptr;
        };
        if (deepest_ == 0) {
            parser_.result_ = address(root);
        } else {
            std::stable_sort(steps_.begin(), steps_.end(), [](const Step& a, const Step& b) {
                return a.level != b.level ? a.level > b.level : a.position < b.position;
            });
            parser_.ops_.reserve(steps_.size());
            for (Step& s : steps_) {
                s.record.first = address(s.first);
                s.record.second = address(s.second);
                s.record.result = &cells[static_cast<std::size_t>(s.resultCell)];
                parser_.ops_.push_back(s.record);
            }
            parser_.result_ = parser_.ops_.back().result;
        }
        parser_.hasList_ = true;
    }

    TCustomParser2& parser_;
    ExpressionGrammar& grammar_;
    std::vector<Step> steps_;
    std::vector<double> cellValues_;
    std::array<int, MaxLevel + 2> counts_{};
    int deepest_ = 0;
};

// ---- TCustomParser2 --------------------------------------------------------------------------------

TCustomParser2::TCustomParser2(TParserContext* context) : context_(context) {}
TCustomParser2::~TCustomParser2() = default;

void TCustomParser2::release() {
    hasList_ = false;
    ops_.clear();
    cells_.clear();
    result_ = nullptr;
}

void TCustomParser2::setExpression(const std::string& text) {
    release();
    expression_ = text;
    if (text.empty()) return;
    try {
        std::string s = asciiUpper(text);
        auto first = s.find_first_not_of(' ');
        if (first == std::string::npos) {
            s.clear();
        } else {
            s = s.substr(first, s.find_last_not_of(' ') - first + 1);
        }
        if (s.find(' ') != std::string::npos) throw EExpressionHasBlanks(msg::HasBlanks);
        if (std::count(s.begin(), s.end(), '(') != std::count(s.begin(), s.end(), ')'))
            throw EMissMatchingBracket(msg::MissingBrackets);
        if (s.empty()) throw ESyntaxError(std::string(msg::SyntaxError) + '\r');
        ExpressionGrammar grammar(s, *this);
        Span root = grammar.dropBrackets(Span{0, static_cast<int>(s.size())});
        OperationListBuilder builder(*this, grammar);
        builder.build(root);
    } catch (const EMathParserError& e) {
        release();
        if (OnParserError) {
            OnParserError(*this, e);
            return;
        }
        throw;
    } catch (...) {
        release();
        throw;
    }
}

Extended TCustomParser2::Value() {
    if (!hasList_) return 0;
    fpstatus::clear();
    for (const OperationRecord& op : ops_)
        op.routine(op);
    if (fpstatus::raised()) locateError();
    return *result_;
}

// The fast run only learns that some step failed; run the steps again one at a time to find the
// first that did, and raise its error, as trapping arithmetic would have.
void TCustomParser2::locateError() {
    for (const OperationRecord& op : ops_) {
        fpstatus::clear();
        op.routine(op);
        if (unsigned f = fpstatus::raised()) fpstatus::throwFor(f);
    }
    throw EInvalidOp(msg::InvalidOp);
}

const double* TCustomParser2::variableAddress(std::string_view name) const {
    auto it = variableTable_.find(name);
    return it == variableTable_.end() ? nullptr : it->second;
}

const FunctionEntry* TCustomParser2::unaryFunction(std::string_view name) const {
    auto it = unaryFunctionTable_.find(name);
    return it == unaryFunctionTable_.end() ? nullptr : it->second;
}

const FunctionEntry* TCustomParser2::binaryFunction(std::string_view name) const {
    auto it = binaryFunctionTable_.find(name);
    return it == binaryFunctionTable_.end() ? nullptr : it->second;
}

void TCustomParser2::addVariable(const std::string& name, double* address) {
    variableTable_.emplace(name, address); // duplicates ignored
}

void TCustomParser2::addFunction(const FunctionEntry& entry) {
    auto& table = entry.arity == 1 ? unaryFunctionTable_ : binaryFunctionTable_;
    if (!table.emplace(std::string(entry.name), &entry).second)
        throw EParserInternalError("Duplicate function name " + std::string(entry.name));
}

// ---- TParser ---------------------------------------------------------------------------------------

TParser::TParser(TParserContext& context) : TCustomParser2(&context) {
    registerAll();
}

TParser::TParser() : TCustomParser2(nullptr) {
    ownContext_ = std::make_unique<TParserContext>();
    setContext(ownContext_.get());
    registerAll();
}

void TParser::registerAll() {
    const std::pair<const char*, double*> vars[] = {
        {"A", &A}, {"B", &B}, {"C", &C}, {"D", &D}, {"E", &E}, {"M", &M}, {"N", &N},
        {"O", &O}, {"P", &P}, {"Q", &Q}, {"R", &R}, {"S", &S}, {"T", &T}, {"U", &U},
        {"V", &V}, {"W", &W}, {"X", &X}, {"Y", &Y}, {"Z", &Z},
    };
    for (auto& [name, address] : vars)
        addVariable(name, address);
    for (const FunctionEntry& f : functionTable())
        addFunction(f);
}

double* TParser::variable(char letter) {
    // The table holds the addresses of this parser's own fields.
    return const_cast<double*>(variableAddress(std::string(1, asciiUpper(letter))));
}

// ---- errors ----------------------------------------------------------------------------------------

void fpstatus::throwFor(unsigned flags) {
    if (flags & Invalid) throw EInvalidOp(msg::InvalidOp);
    if (flags & ZeroDivide) throw EZeroDivide(msg::ZeroDivide);
    throw EOverflow(msg::Overflow);
}

} // namespace kurvo
