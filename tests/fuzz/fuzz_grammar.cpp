// Fuzz target: the grammar that skips splits the operand rules exclude must reach exactly the verdicts,
// kinds and operand texts of the one that tries every split as written.
#include "Grammar.h"
#include "Parser.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 40) return 0; // the exhaustive grammar is exponential: keep texts short
    static kurvo::TParser parser;
    std::string text;
    // Map bytes onto the characters that matter, so most inputs are near-expressions.
    static const char Alphabet[] = "XY2E.-+*/^()DIVMOD,SIN(MAX(PI";
    for (std::size_t i = 0; i < size; ++i) text += Alphabet[data[i] % (sizeof Alphabet - 1)];
    kurvo::ExpressionGrammar fast(text, parser), slow(text, parser, true);
    kurvo::Span whole{0, static_cast<int>(text.size())};
    if (fast.isExpression(whole) != slow.isExpression(whole)) std::abort();
    kurvo::TermShape a, b;
    std::string l1, r1, l2, r2;
    bool ok1 = fast.classify(whole, a, l1, r1), ok2 = slow.classify(whole, b, l2, r2);
    if (ok1 != ok2) std::abort();
    if (ok1 && (a.kind != b.kind || a.left.pos != b.left.pos || a.left.len != b.left.len ||
                a.right.pos != b.right.pos || a.right.len != b.right.len || a.hasRight != b.hasRight))
        std::abort();
    if (!ok1 && (l1 != l2 || r1 != r2)) std::abort();
    return 0;
}
