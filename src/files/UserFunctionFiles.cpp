// The functions editor's OK.
#include "UserFunctionFiles.h"

namespace kurvo {

std::optional<TUserFunctionError> applyUserFunctions(TDataSource& data, bool cartesian,
                                                     const TUserFunctionTexts& typed,
                                                     TFormulaTrans& translator, TParserContext& context) {
    TUserFunctionCheck check = checkUserFunctions(typed, translator);
    if (!check.ok()) return check.error;
    data.writeFunctions(cartesian, typed, check.translated);
    installUserFunctions(context, check.translated);
    return std::nullopt;
}

} // namespace kurvo
