#include "ui/Timer.h"

#include "ui/Application.h"
#include "ui/Form.h"

#include <algorithm>

namespace korimba::ui {

Timer::Timer(Form* owner, std::string name) : owner_(owner), name_(std::move(name)) {
    owner_->timers().push_back(this);
}

Timer::~Timer() {
    auto& timers = owner_->timers();
    timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
}

void Timer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    if (owner_->native)
        Application::current().backend().timerChanged(*this);
}

void Timer::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (owner_->native)
        Application::current().backend().timerChanged(*this);
}

void Timer::tick() {
    if (enabled_ && OnTimer)
        Application::current().dispatch(OnTimer);
}

} // namespace korimba::ui
