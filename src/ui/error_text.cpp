#include "ui/error_text.h"

std::wstring ErrorDisplayText(const std::wstring& message) {
    if (!message.empty() && message.back() > L'.')
        return message + L'.';
    return message;
}
