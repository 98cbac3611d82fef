#include "ReportLayout.h"

#include "ReportFrame.h"
#include "ReportRenderer.h"
#include "ReportSheet.h"
#include "Text.h"
#include "core/Report.h"
#include "core/ReportColumns.h"

#include <QPainter>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace vimtal::paper {

namespace {

Qt::Alignment ToQt(report::Align align) {
    switch (align) {
    case report::Align::Right: return Qt::AlignRight;
    case report::Align::Centre: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

// A table on the sheet: columns, a title row and rows of texts.
struct Grid {
    enum class Kind {
        Cells,    // a text per column
        Span,     // one text across the row
        Group,    // a bold title across the row, kept with the row below
        Summary,  // bold, below a rule, kept with the row above
    };
    struct Row {
        Kind kind = Kind::Cells;
        QStringList cells;
        double height = 0;
    };

    QString heading;
    QString emptyText;  // under the heading when there are no rows
    std::vector<double> widths;
    std::vector<Qt::Alignment> align;
    std::vector<Qt::Alignment> titleAlign;
    std::vector<bool> italic;  // symbols
    QStringList titles;
    QFont font;
    QFont bold;
    QFont titleFont;
    double titleHeight = 0;
    std::vector<Row> rows;
};

class Layout {
public:
    Layout(const Report& report, QPaintDevice& device)
        : report_(report), sheet_(device), pager_(HeaderHeight(sheet_), sheet_.Height() - FooterHeight(sheet_)) {
        padX_ = sheet_.Mm(1.2);
        padY_ = sheet_.Mm(0.7);
        hairline_ = sheet_.Hairline();
        rule_ = sheet_.Pt(0.6);
    }

    std::vector<Page> Run() {
        const auto& blocks = report_.document.Blocks();
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            // The end of the last block keeps the signatures on its page.
            tail_ = i + 1 == blocks.size() ? SignaturesRoom(sheet_) : 0;
            std::visit([this](const auto& b) { Place(b); }, blocks[i]);
        }
        tail_ = 0;
        PlaceSignatures(pager_, sheet_);
        return pager_.Pages();
    }

private:
    double Space() const { return sheet_.Mm(4); }

    // Heading: its height, and the drawing at the pager's position.
    double HeadingHeight(const QString& text) const {
        return text.isEmpty() ? 0 : sheet_.TextHeight(HeadingFont(), text, sheet_.Width()) + sheet_.Mm(1.5);
    }
    static QFont HeadingFont() { return Font(10.5, true); }
    void DrawHeading(const QString& text) {
        if (text.isEmpty()) return;
        const double y = pager_.Y();
        const double h = HeadingHeight(text);
        const double w = sheet_.Width();
        pager_.Add([=](QPainter& painter) {
            Text(painter, QRectF(0, y, w, h), HeadingFont(), kInk, Qt::AlignLeft | Qt::AlignTop, text);
        });
        pager_.Advance(h);
    }

    void Place(const report::Heading& heading) {
        const QString text = FromStd(heading.text);
        pager_.Gap(Space());
        // Kept with a few lines of what follows.
        pager_.Ensure(HeadingHeight(text) + 3 * sheet_.LineHeight(Font(9)) + tail_);
        DrawHeading(text);
    }

    void Place(const report::Paragraph& paragraph) {
        const QString text = FromStd(paragraph.text);
        const QFont font = Font(9);
        const double w = sheet_.Width();
        const double h = sheet_.TextHeight(font, text, w);
        pager_.Gap(sheet_.Mm(2));
        pager_.Ensure(h + tail_);
        const double y = pager_.Y();
        pager_.Add([=](QPainter& painter) { Text(painter, QRectF(0, y, w, h), font, kInk, Qt::AlignLeft | Qt::AlignTop, text); });
        pager_.Advance(h);
    }

    void Place(const report::FieldTable& table) {
        Grid grid;
        grid.heading = FromStd(table.heading);
        grid.emptyText = FromStd(table.emptyText);
        grid.font = Font(9);
        grid.bold = Font(9, true);
        grid.titleFont = Font(8, true);
        for (const char* title : report::kFieldColumnTitles) grid.titles << FromStd(title);
        const double w = sheet_.Width();
        grid.widths = {w * 0.50, w * 0.12, w * 0.20, w * 0.18};
        grid.align = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignLeft};
        grid.titleAlign = grid.align;
        grid.italic = {false, true, false, false};
        for (const report::FieldRow& row : table.rows) {
            switch (row.kind) {
            case report::FieldRow::Kind::Value:
                grid.rows.push_back({Grid::Kind::Cells,
                                     {FromStd(row.label), FromStd(row.symbol), FromStd(row.value), FromStd(row.unit)}});
                break;
            case report::FieldRow::Kind::Choice:
                grid.rows.push_back({Grid::Kind::Span, {FromStd(row.ChoiceText())}});
                break;
            case report::FieldRow::Kind::Group:
                grid.rows.push_back({Grid::Kind::Group, {FromStd(row.label)}});
                break;
            }
        }
        PlaceGrid(grid);
    }

    void Place(const report::Table& table) {
        Grid grid;
        grid.heading = FromStd(table.heading);
        const std::size_t n = table.columns.size();
        if (n == 0) return;
        for (std::size_t c = 0; c < n; ++c) {
            grid.titles << FromStd(table.columns[c].title);
            grid.align.push_back(ToQt(table.ResolvedAlign(c)));
            grid.titleAlign.push_back(Qt::AlignHCenter);
            grid.italic.push_back(false);
        }
        for (const auto& row : table.rows) {
            QStringList cells;
            for (const std::string& cell : row) cells << FromStd(cell);
            grid.rows.push_back({Grid::Kind::Cells, cells});
        }
        if (!table.summary.empty()) {
            QStringList cells;
            for (const std::string& cell : table.summary) cells << FromStd(cell);
            grid.rows.push_back({Grid::Kind::Summary, cells});
        }
        FitColumns(table, grid);
        PlaceGrid(grid);
    }

    // The wide table's type and column widths (core/ReportColumns.h),
    // measured on the sheet.
    void FitColumns(const report::Table& table, Grid& grid) const {
        const report::TextMeasure measure{
            [this](const std::string& text, double points, bool bold) {
                return sheet_.TextWidth(Font(points, bold), FromStd(text));
            },
            [this](const std::string& text, double points, bool bold) {
                return sheet_.WidestUnbreakable(Font(points, bold), FromStd(text));
            }};
        const report::ColumnFit fit =
            report::FitColumns(table, {sheet_.Width(), 2 * padX_ + 1, sheet_.Mm(25)}, measure);
        grid.font = Font(fit.points);
        grid.bold = Font(fit.points, true);
        grid.titleFont = Font(fit.points - 0.5, true);
        grid.widths = fit.widths;
    }

    double RowHeight(const Grid& grid, const Grid::Row& row) const {
        switch (row.kind) {
        case Grid::Kind::Span:
            return sheet_.TextHeight(grid.font, row.cells.value(0), sheet_.Width() - 2 * padX_) + 2 * padY_;
        case Grid::Kind::Group:
            return sheet_.TextHeight(grid.bold, row.cells.value(0), sheet_.Width() - 2 * padX_) + 2 * padY_;
        default: break;
        }
        double h = 0;
        const QFont& font = row.kind == Grid::Kind::Summary ? grid.bold : grid.font;
        for (std::size_t c = 0; c < grid.widths.size(); ++c) {
            h = std::max(h, sheet_.TextHeight(font, row.cells.value(static_cast<int>(c)), grid.widths[c] - 2 * padX_));
        }
        return h + 2 * padY_;
    }

    void PlaceGrid(Grid& grid) {
        for (Grid::Row& row : grid.rows) row.height = RowHeight(grid, row);
        grid.titleHeight = 0;
        for (std::size_t c = 0; c < grid.widths.size(); ++c) {
            grid.titleHeight = std::max(grid.titleHeight, sheet_.TextHeight(grid.titleFont, grid.titles[static_cast<int>(c)],
                                                                             grid.widths[c] - 2 * padX_));
        }
        grid.titleHeight += 2 * padY_;
        auto shared = std::make_shared<const Grid>(grid);

        pager_.Gap(Space());
        if (grid.rows.empty()) {
            const QFont font = Font(9, false, true);
            const double h = grid.emptyText.isEmpty() ? 0 : sheet_.TextHeight(font, grid.emptyText, sheet_.Width()) + padY_;
            pager_.Ensure(HeadingHeight(grid.heading) + h + tail_);
            DrawHeading(grid.heading);
            if (h > 0) {
                const double y = pager_.Y() + padY_;
                const double w = sheet_.Width();
                const QString text = grid.emptyText;
                const double padX = padX_;
                pager_.Add([=](QPainter& painter) {
                    Text(painter, QRectF(padX, y, w - padX, h), font, kInk, Qt::AlignLeft | Qt::AlignTop, text);
                });
                pager_.Advance(h);
            }
            return;
        }
        pager_.Ensure(HeadingHeight(grid.heading) + grid.titleHeight + KeptHeight(grid, 0));
        DrawHeading(grid.heading);
        DrawTitles(shared);
        int onPage = 0;
        for (std::size_t i = 0; i < grid.rows.size(); ++i) {
            if (onPage > 0 && pager_.Room() < KeptHeight(grid, i)) {
                CloseTable();
                pager_.NewPage();
                if (!grid.heading.isEmpty()) DrawHeading(grid.heading + FromStd(report::kContinued));
                DrawTitles(shared);
                onPage = 0;
            }
            DrawRow(shared, i);
            ++onPage;
        }
        CloseTable();
    }

    // The height a row needs on its page: a group title keeps the row after
    // it, the last row keeps the summary, and the table's end keeps what the
    // report ends with.
    double KeptHeight(const Grid& grid, std::size_t i) const {
        const double h = grid.rows[i].height;
        if (i + 1 == grid.rows.size()) return h + tail_;
        if (grid.rows[i].kind == Grid::Kind::Group || grid.rows[i + 1].kind == Grid::Kind::Summary) {
            return h + KeptHeight(grid, i + 1);
        }
        return h;
    }

    void DrawTitles(const std::shared_ptr<const Grid>& grid) {
        const double y = pager_.Y();
        const double w = sheet_.Width();
        const double padX = padX_, padY = padY_, rule = rule_, hairline = hairline_;
        pager_.Add([=](QPainter& painter) {
            const double h = grid->titleHeight;
            painter.fillRect(QRectF(0, y, w, h), kHeaderFill);
            double x = 0;
            for (std::size_t c = 0; c < grid->widths.size(); ++c) {
                Text(painter, QRectF(x + padX, y + padY, grid->widths[c] - 2 * padX, h - 2 * padY), grid->titleFont, kInk,
                     grid->titleAlign[c] | Qt::AlignBottom, grid->titles[static_cast<int>(c)]);
                x += grid->widths[c];
            }
            Rule(painter, 0, w, y, kInk, rule);
            Rule(painter, 0, w, y + h, kInk, hairline * 1.6);
        });
        pager_.Advance(grid->titleHeight);
    }

    void DrawRow(const std::shared_ptr<const Grid>& grid, std::size_t i) {
        const double y = pager_.Y();
        const double w = sheet_.Width();
        const double padX = padX_, padY = padY_, hairline = hairline_, rule = rule_;
        pager_.Add([=](QPainter& painter) {
            const Grid::Row& row = grid->rows[i];
            const double h = row.height;
            switch (row.kind) {
            case Grid::Kind::Span:
            case Grid::Kind::Group:
                Text(painter, QRectF(padX, y + padY, w - 2 * padX, h - 2 * padY),
                     row.kind == Grid::Kind::Group ? grid->bold : grid->font, kInk, Qt::AlignLeft | Qt::AlignTop,
                     row.cells.value(0));
                break;
            default: {
                if (row.kind == Grid::Kind::Summary) Rule(painter, 0, w, y, kInk, rule);
                double x = 0;
                for (std::size_t c = 0; c < grid->widths.size(); ++c) {
                    QFont font = row.kind == Grid::Kind::Summary ? grid->bold : grid->font;
                    font.setItalic(grid->italic[c]);
                    Text(painter, QRectF(x + padX, y + padY, grid->widths[c] - 2 * padX, h - 2 * padY), font, kInk,
                         grid->align[c] | Qt::AlignTop, row.cells.value(static_cast<int>(c)));
                    x += grid->widths[c];
                }
            }
            }
            const bool last = i + 1 == grid->rows.size();
            const bool beforeSummary = !last && grid->rows[i + 1].kind == Grid::Kind::Summary;
            if (!last && !beforeSummary) Rule(painter, 0, w, y + h, kHairline, hairline);
        });
        pager_.Advance(grid->rows[i].height);
    }

    // The rule under a table's last row on a page.
    void CloseTable() {
        const double y = pager_.Y();
        const double w = sheet_.Width();
        const double rule = rule_;
        pager_.Add([=](QPainter& painter) { Rule(painter, 0, w, y, kInk, rule); });
    }

    void Place(const report::Notes& notes) {
        const QString heading = FromStd(report::kNotesHeading);
        const QFont font = Font(9);
        const double w = sheet_.Width();
        const double indent = sheet_.Mm(6);
        std::vector<double> heights;
        for (const std::string& item : notes.items) {
            heights.push_back(sheet_.TextHeight(font, FromStd(item), w - indent) + sheet_.Mm(1));
        }
        pager_.Gap(Space());
        pager_.Ensure(HeadingHeight(heading) + (heights.empty() ? 0 : heights.front()));
        DrawHeading(heading);
        for (std::size_t i = 0; i < notes.items.size(); ++i) {
            pager_.Ensure(heights[i] + (i + 1 == notes.items.size() ? tail_ : 0));
            const double y = pager_.Y();
            const double h = heights[i];
            const QString number = QStringLiteral("%1.").arg(i + 1);
            const QString text = FromStd(notes.items[i]);
            pager_.Add([=](QPainter& painter) {
                Text(painter, QRectF(0, y, indent, h), font, kInk, Qt::AlignLeft | Qt::AlignTop, number);
                Text(painter, QRectF(indent, y, w - indent, h), font, kInk, Qt::AlignLeft | Qt::AlignTop, text);
            });
            pager_.Advance(h);
        }
    }

    void Place(const report::Chart& chart) {
        const auto found = report_.charts.find(chart.id);
        if (found == report_.charts.end() || !found->second) {
            throw std::logic_error("the report has no drawing for the chart \"" + chart.id + "\"");
        }
        const ChartPainter paint = found->second;
        const QString title = FromStd(chart.title);
        const QFont titleFont = Font(9, true);
        const double titleHeight = title.isEmpty() ? 0 : sheet_.TextHeight(titleFont, title, sheet_.Width()) + sheet_.Mm(1);
        // As wide as the text, in the chart's proportion; lower when the
        // page is too short for it.
        double w = sheet_.Width();
        double h = w * chart.height / chart.width;
        const double tallest = pager_.BodyHeight() - titleHeight;
        if (h > tallest) {
            w *= tallest / h;
            h = tallest;
        }
        pager_.Gap(Space());
        pager_.Ensure(titleHeight + h + tail_);
        const double y = pager_.Y();
        const double hairline = hairline_;
        pager_.Add([=](QPainter& painter) {
            if (!title.isEmpty()) {
                Text(painter, QRectF(0, y, w, titleHeight), titleFont, kInk, Qt::AlignLeft | Qt::AlignTop, title);
            }
            const QRect target = QRectF(0, y + titleHeight, w, h).toAlignedRect();
            painter.save();
            paint(painter, target);
            painter.restore();
            painter.setPen(QPen(kHairline, hairline));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(target);
        });
        pager_.Advance(titleHeight + h);
    }

    const Report& report_;
    Sheet sheet_;
    Pager pager_;
    double padX_ = 0;
    double padY_ = 0;
    double hairline_ = 0;
    double rule_ = 0;
    double tail_ = 0;  // room the end of the block being placed keeps below it
};

}  // namespace

std::vector<Page> LayOutBody(const Report& report, QPaintDevice& device) { return Layout(report, device).Run(); }

}  // namespace vimtal::paper
