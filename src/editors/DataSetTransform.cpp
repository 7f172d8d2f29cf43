// Overwriting the first data set with its image, as both transformation dialogs do.
#include "DataSetTransform.h"

#include "TransformationFields.h"

namespace kurvo {

std::string firstSetError(const TDataSetStore& store) {
    if (store.setCount() == 0 || store.points(0).empty()) return msg::NoDataPoints;
    return {};
}

std::string transformFirstSet(TDataSetStore& store, const PointTransformation& t) {
    if (std::string error = firstSetError(store); !error.empty()) return error;
    if (!store.replaceSet(0, t.apply(store.points(0)))) return msg::ImageTooLarge;
    store.setSingleSetOnly(true);
    store.setDataSetCount(store.dataSetCount() + 1);
    return {};
}

} // namespace kurvo
