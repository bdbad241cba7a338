#pragma once
#include "ui/Control.h"

namespace korimba::ui {

class Form;

class Timer {
public:
    Timer(Form* owner, std::string name);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return name_; }
    Form* owner() const { return owner_; }
    int interval() const { return interval_; }
    void setInterval(int milliseconds);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // One tick: raises OnTimer through the dispatcher when enabled.
    void tick();
    Event OnTimer;

private:
    Form* owner_;
    std::string name_;
    int interval_ = 1000;
    bool enabled_ = true;
};

} // namespace korimba::ui
