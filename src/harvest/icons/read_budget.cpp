#include "harvest/icons/read_budget.h"

#include <limits>

TReadBudget::TReadBudget(std::uint64_t FileSize)
    : limit_(FileSize > std::numeric_limits<std::uint64_t>::max() / PerFileByte
                 ? std::numeric_limits<std::uint64_t>::max()
                 : FileSize * PerFileByte) {}

void TReadBudget::TakeBytes(std::uint64_t Count) {
    if (Count > limit_ - taken_)
        throw EIconDataError(L"Ресурсы значков содержат слишком много данных");
    taken_ += Count;
}

void TReadBudget::TakeImage() {
    TakeBytes(ImageCost);
}
