// The body of a report's pages: every block of the content (core/Report.h)
// placed down the pages by the paginator (ReportPager.h) - headings,
// paragraphs, field tables, wide tables with their title row repeated on
// every page they span, numbered notes and charts - and the signatures
// after the last block, kept on its page.
#pragma once

#include "ReportPager.h"

#include <vector>

class QPaintDevice;

namespace vimtal {

struct Report;

namespace paper {

// The pages of the report's body laid out on the device, each with what is
// drawn on it. Raises std::logic_error when a chart has no drawing.
std::vector<Page> LayOutBody(const Report& report, QPaintDevice& device);

}  // namespace paper
}  // namespace vimtal
