// The paginator of a report: places blocks down the body of the pages, one
// after the other, starting a new page when a block does not fit, and keeps
// for each page the drawings that go on it. The whole report is placed
// before anything is drawn, so every page knows the page count.
//
//   Pager pager(top, bottom);
//   pager.Gap(space);                 // between blocks, none at a page's top
//   pager.Ensure(height);             // a new page unless `height` fits
//   const double y = pager.Y();
//   pager.Add([=](QPainter& painter) { ... draw at y ... });
//   pager.Advance(height);
#pragma once

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

class QPainter;

namespace vimtal::paper {

// A drawing on a page, in the page's device pixels.
using Op = std::function<void(QPainter&)>;
using Page = std::vector<Op>;

class Pager {
public:
    // The body's top and bottom on every page.
    Pager(double top, double bottom) : top_(top), bottom_(bottom) { NewPage(); }

    void NewPage() {
        pages_.emplace_back();
        y_ = top_;
    }
    double Y() const { return y_; }
    void Advance(double height) { y_ += height; }
    double Room() const { return bottom_ - y_; }
    bool AtTop() const { return y_ <= top_; }
    double BodyHeight() const { return bottom_ - top_; }
    // A new page unless `height` fits below; a page just begun takes
    // anything (what is taller than a page is cut by the bottom margin).
    void Ensure(double height) {
        if (!AtTop() && Room() < height) NewPage();
    }
    // Space between blocks; none at the top of a page.
    void Gap(double height) {
        if (!AtTop()) y_ = std::min(y_ + height, bottom_);
    }
    void Add(Op op) { pages_.back().push_back(std::move(op)); }

    const std::vector<Page>& Pages() const { return pages_; }

private:
    double top_;
    double bottom_;
    double y_ = 0;
    std::vector<Page> pages_;
};

}  // namespace vimtal::paper
