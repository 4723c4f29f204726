#pragma once
// A flag that is on for the life of a scope: a long command marks itself running so that a
// second start, reached through the messages it pumps, finds it busy. However the command
// ends, the closing step (if any) runs and then the flag goes off.

#include <functional>
#include <utility>

class TFlagScope {
public:
    explicit TFlagScope(bool& flag, std::function<void()> closing = {})
        : flag_(flag), closing_(std::move(closing)) {
        flag_ = true;
    }
    ~TFlagScope() {
        if (closing_)
            closing_();
        flag_ = false;
    }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
    std::function<void()> closing_;
};
