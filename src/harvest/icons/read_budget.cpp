#include "harvest/icons/read_budget.h"

#include <limits>

TReadBudget::TReadBudget(std::uint64_t fileSize)
    : limit_(fileSize > std::numeric_limits<std::uint64_t>::max() / PerFileByte
                 ? std::numeric_limits<std::uint64_t>::max()
                 : fileSize * PerFileByte) {}

void TReadBudget::TakeBytes(std::uint64_t count) {
    if (count > limit_ - taken_)
        throw EIconDataError(L"Ресурсы значков содержат слишком много данных");
    taken_ += count;
}

void TReadBudget::TakeImage() {
    TakeBytes(ImageCost);
}
