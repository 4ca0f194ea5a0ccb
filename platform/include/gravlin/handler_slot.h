#pragma once
// An event handler of a window, as the window declares it: a named place that the program's
// wiring fills with what runs when the control is used. Every slot enters itself in its
// window's list when it is made, so a check that walks the list cannot miss one.

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace gravlin {

class HandlerSlot {
  public:
    HandlerSlot(std::vector<HandlerSlot*>& list, std::string name) : name_(std::move(name)) {
        list.push_back(this);
    }
    HandlerSlot(const HandlerSlot&) = delete;
    HandlerSlot& operator=(const HandlerSlot&) = delete;
    virtual ~HandlerSlot() = default;

    const std::string& name() const { return name_; }

  private:
    std::string name_;
};

template <typename... Args>
class Slot final : public HandlerSlot {
  public:
    using HandlerSlot::HandlerSlot;

    void connect(std::function<void(Args...)> handler) { handler_ = std::move(handler); }
    bool connected() const { return static_cast<bool>(handler_); }
    // Runs the handler; the program refuses to start with a slot left empty.
    void operator()(Args... args) const { handler_(args...); }

  private:
    std::function<void(Args...)> handler_;
};

}  // namespace gravlin
