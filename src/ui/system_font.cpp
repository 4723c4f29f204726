#include <windows.h>

#include "ui/system_font.h"

#include <cstddef>

#include "util/os_error.h"

UniqueFont CreateMessageBoxFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        // Systems before Vista know the structure without its last field.
        metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
        if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
            RaiseLastOSError();
    }
    UniqueFont font(::CreateFontIndirectW(&metrics.lfMessageFont));
    if (!font)
        RaiseLastOSError();
    return font;
}
