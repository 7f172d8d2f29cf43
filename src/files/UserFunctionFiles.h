// The functions editor's OK: the seven definitions checked, then both function files of the mode
// written and the user-function parsers given their new expressions, or nothing changed at all.
#pragma once

#include "DataSource.h"
#include "UserFunctions.h"

#include <optional>

namespace kurvo {

class TFormulaTrans;

/// Checks the seven definitions (typed in classroom notation) with checkUserFunctions. When one is
/// refused, returns its error and changes nothing: no file is written and no parser changed. Else
/// writes the mode's function file (Cartfun.txt or Polarfun.txt: the texts as typed) and function
/// expression file (Cartfun_int.txt or Polarfun_int.txt: the translations, "()" for an empty
/// definition), then installs the translations in the context's user-function parsers ("()"
/// becomes "(1)") and returns nothing. A file that cannot be written raises EInOutError with both
/// files and the parsers as they were. Without a data folder the files live in `data`'s memory.
std::optional<TUserFunctionError> applyUserFunctions(TDataSource& data, bool cartesian,
                                                     const TUserFunctionTexts& typed,
                                                     TFormulaTrans& translator, TParserContext& context);

} // namespace kurvo
