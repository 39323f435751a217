#pragma once

#include <functional>
#include <utility>

// A window made the first time it is wanted. Most of the game's dialogs are
// never opened in a run, and making them all before the main window shows
// would hold the start back. The window it makes belongs to its Qt parent.
template <typename TWindow>
class TOnDemand {
public:
    explicit TOnDemand(std::function<TWindow*()> make) : make_(std::move(make)) {}

    TWindow& Get()
    {
        if (made_ == nullptr)
            made_ = make_();
        return *made_;
    }
    TWindow* operator->() { return &Get(); }

private:
    std::function<TWindow*()> make_;
    TWindow* made_ = nullptr;
};
