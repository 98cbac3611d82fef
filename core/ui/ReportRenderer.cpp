#include "ReportRenderer.h"

#include "Text.h"
#include "core/Files.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTextLayout>

#include <algorithm>
#include <memory>
#include <numeric>
#include <stdexcept>

namespace vimtal {

std::function<QDateTime()> ReportClock = [] { return QDateTime::currentDateTime(); };

namespace {

const QColor kInk(0, 0, 0);
const QColor kQuiet(64, 64, 64);         // header details, footer
const QColor kAccent(0, 102, 102);       // the logo's teal: program name, rule under the header
const QColor kHairline(176, 176, 176);   // between table rows
const QColor kHeaderFill(232, 240, 240); // behind a table's title row

QFont Font(double points, bool bold = false, bool italic = false) {
    QFont font(QGuiApplication::font().family());
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

Qt::Alignment ToQt(report::Align align) {
    switch (align) {
    case report::Align::Right: return Qt::AlignRight;
    case report::Align::Centre: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

// Lengths and texts measured on the device the report is drawn on.
class Sheet {
public:
    explicit Sheet(QPaintDevice& device)
        : device_(device), dpi_(device.logicalDpiY()), width_(device.width()), height_(device.height()) {}

    double Mm(double mm) const { return mm * dpi_ / 25.4; }
    double Pt(double pt) const { return pt * dpi_ / 72.0; }
    double Width() const { return width_; }
    double Height() const { return height_; }

    double LineHeight(const QFont& font) const { return QFontMetricsF(font, &device_).height(); }
    // The widest line of the text.
    double TextWidth(const QFont& font, const QString& text) const {
        const QFontMetricsF metrics(font, &device_);
        double widest = 0;
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            widest = std::max(widest, metrics.horizontalAdvance(line));
        }
        return widest;
    }
    // The height of the text wrapped at `width`.
    double TextHeight(const QFont& font, const QString& text, double width) const {
        if (text.isEmpty()) return LineHeight(font);
        const QFontMetricsF metrics(font, &device_);
        return metrics.boundingRect(QRectF(0, 0, std::max(width, 1.0), 1e9), Qt::TextWordWrap, text).height();
    }

    // The widest piece of the text a wrap cannot break: a fitting's name
    // such as "PODSTAWA_DACHOWA_PROSTOKĄTNA" (Qt breaks at spaces and after
    // a '/' or '-', never at '_').
    double WidestUnbreakable(const QFont& font, const QString& text) const {
        QTextLayout layout(text, font, &device_);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        double widest = 0;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(0);
            widest = std::max(widest, line.naturalTextWidth());
        }
        layout.endLayout();
        return widest;
    }

private:
    QPaintDevice& device_;
    double dpi_;
    double width_;
    double height_;
};

using Op = std::function<void(QPainter&)>;

// Places blocks down the body of the pages and keeps, for each page, what
// is drawn on it.
class Pager {
public:
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

    std::vector<std::vector<Op>>& Pages() { return pages_; }

private:
    double top_;
    double bottom_;
    double y_ = 0;
    std::vector<std::vector<Op>> pages_;
};

void Rule(QPainter& painter, double x1, double x2, double y, const QColor& colour, double width) {
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(x1, y), QPointF(x2, y));
}

void Text(QPainter& painter, const QRectF& box, const QFont& font, const QColor& colour, Qt::Alignment align,
          const QString& text) {
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, static_cast<int>(align) | Qt::TextWordWrap, text);
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
        : report_(report), sheet_(device),
          pager_(sheet_.Mm(kHeaderMm), sheet_.Height() - sheet_.Mm(kFooterMm)) {
        padX_ = sheet_.Mm(1.2);
        padY_ = sheet_.Mm(0.7);
        hairline_ = sheet_.Pt(0.25);
        rule_ = sheet_.Pt(0.6);
    }

    std::vector<std::vector<Op>>& Run() {
        const auto& blocks = report_.document.Blocks();
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            // The end of the last block keeps the signatures on its page.
            tail_ = i + 1 == blocks.size() ? SignaturesGap() + SignaturesHeight() : 0;
            std::visit([this](const auto& b) { Place(b); }, blocks[i]);
        }
        tail_ = 0;
        PlaceSignatures();
        return pager_.Pages();
    }

    // The header and footer of page `number` of `count`.
    void DrawFrame(QPainter& painter, int number, int count, QSvgRenderer* logo, const QDateTime& when) const {
        const double w = sheet_.Width();
        const double logoHeight = sheet_.Mm(14);
        double x = 0;
        if (logo && logo->isValid()) {
            const QSizeF size = logo->defaultSize();
            const double logoWidth = size.height() > 0 ? logoHeight * size.width() / size.height() : logoHeight;
            logo->render(&painter, QRectF(0, 0, logoWidth, logoHeight));
            x = logoWidth + sheet_.Mm(4);
        }
        const QFont program = Font(10, true);
        const QFont detail = Font(8.5);
        const QString date = QStringLiteral("Data: %1, godz. %2")
                                 .arg(when.date().toString(QStringLiteral("dd.MM.yyyy")),
                                      when.time().toString(QStringLiteral("HH:mm")));
        const double top = sheet_.Mm(1.5);
        Text(painter, QRectF(x, top, w - x, sheet_.LineHeight(program)), program, kAccent, Qt::AlignLeft | Qt::AlignTop,
             kReportProgramName);
        Text(painter, QRectF(x, top, w - x, sheet_.LineHeight(program)), detail, kQuiet, Qt::AlignRight | Qt::AlignTop,
             date);
        // The caption on one line: a long one in a smaller face.
        const QString caption = FromStd(report_.document.Caption());
        QFont captionFont = Font(12, true);
        for (double points = 12; points > 7.5; points -= 0.5) {
            captionFont = Font(points, true);
            if (sheet_.TextWidth(captionFont, caption) <= w - x) break;
        }
        const double captionTop = top + sheet_.LineHeight(program) + sheet_.Mm(1);
        painter.setFont(captionFont);
        painter.setPen(kInk);
        painter.drawText(QRectF(x, captionTop, w - x, sheet_.LineHeight(captionFont)), Qt::AlignLeft | Qt::AlignTop,
                         caption);
        Rule(painter, 0, w, sheet_.Mm(16), kAccent, sheet_.Pt(0.8));

        const double footerRule = sheet_.Height() - sheet_.Mm(7);
        Rule(painter, 0, w, footerRule, kQuiet, hairline_);
        const QFont footer = Font(8);
        Text(painter, QRectF(0, footerRule + sheet_.Mm(1.5), w, sheet_.LineHeight(footer)), footer, kQuiet,
             Qt::AlignRight | Qt::AlignTop, QStringLiteral("Strona %1 z %2").arg(number).arg(count));
    }

private:
    static constexpr double kHeaderMm = 21;  // the header and the space below it
    static constexpr double kFooterMm = 10;  // the space above the footer and the footer

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
        grid.titles = {QStringLiteral("Wielkość"), QStringLiteral("Symbol"), QStringLiteral("Wartość"),
                       QStringLiteral("Jednostka")};
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
        FitColumns(grid);
        PlaceGrid(grid);
    }

    // The narrowest width at which the title takes at most `lines` lines,
    // breaking only between words (0 when it cannot).
    double TitleWidth(const QFont& font, const QString& title, int lines) const {
        const QStringList explicitLines = title.split(QLatin1Char('\n'));
        if (explicitLines.size() > lines) return 0;
        // The candidates: every run of words of a line.
        std::vector<double> candidates;
        std::vector<QStringList> words;
        for (const QString& line : explicitLines) {
            words.push_back(line.split(QLatin1Char(' '), Qt::SkipEmptyParts));
            const QStringList& w = words.back();
            for (qsizetype i = 0; i < w.size(); ++i) {
                for (qsizetype j = i; j < w.size(); ++j) {
                    candidates.push_back(sheet_.TextWidth(font, w.mid(i, j - i + 1).join(QLatin1Char(' '))));
                }
            }
        }
        std::sort(candidates.begin(), candidates.end());
        const double space = sheet_.TextWidth(font, QStringLiteral(" "));
        for (const double width : candidates) {
            // Greedy wrapping at this width.
            int used = 0;
            bool fits = true;
            for (const QStringList& w : words) {
                double run = -1;
                ++used;
                for (const QString& word : w) {
                    const double wordWidth = sheet_.TextWidth(font, word);
                    if (wordWidth > width + 0.01) fits = false;
                    if (run < 0) {
                        run = wordWidth;
                    } else if (run + space + wordWidth <= width + 0.01) {
                        run += space + wordWidth;
                    } else {
                        ++used;
                        run = wordWidth;
                    }
                }
            }
            if (fits && used <= lines) return width;
        }
        return 0;
    }

    // Column widths of a wide table. Each column is as wide as its widest
    // cell and its title on as few lines as the page allows, every title
    // wrapping to the same number of lines at most; room left over first
    // lets titles keep their own lines, then goes to the text columns
    // (names). When that is too wide the face gets smaller, down to 7.5
    // points, and then the text columns wrap too.
    void FitColumns(Grid& grid) const {
        const std::size_t n = grid.titles.size();
        const double available = sheet_.Width();
        std::vector<std::size_t> text;  // the columns that may wrap their cells
        for (std::size_t c = 0; c < n; ++c) {
            if (grid.align[c] == Qt::AlignLeft) text.push_back(c);
        }
        auto sum = [](const std::vector<double>& v) { return std::accumulate(v.begin(), v.end(), 0.0); };
        const double pad = 2 * padX_ + 1;
        for (double points = 8.5;; points -= 0.5) {
            grid.font = Font(points);
            grid.bold = Font(points, true);
            grid.titleFont = Font(points - 0.5, true);
            std::vector<double> cells(n, 0), own(n, 0);
            int mostWords = 1;
            for (std::size_t c = 0; c < n; ++c) {
                const QString& title = grid.titles[static_cast<int>(c)];
                const int words = static_cast<int>(title.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size());
                mostWords = std::max(mostWords, words);
                for (const Grid::Row& row : grid.rows) {
                    const QFont& font = row.kind == Grid::Kind::Summary ? grid.bold : grid.font;
                    cells[c] = std::max(cells[c], sheet_.TextWidth(font, row.cells[static_cast<int>(c)]) + pad);
                }
                own[c] = std::max(cells[c], sheet_.TextWidth(grid.titleFont, title) + pad);
            }
            std::vector<double> widths(n);
            for (int lines = 1; lines <= mostWords; ++lines) {
                bool possible = true;
                for (std::size_t c = 0; c < n && possible; ++c) {
                    const double title = TitleWidth(grid.titleFont, grid.titles[static_cast<int>(c)], lines);
                    if (title == 0) possible = false;
                    widths[c] = std::max(cells[c], title + pad);
                }
                if (!possible || sum(widths) > available) continue;
                // The titles that need least first get their own lines back.
                std::vector<std::size_t> order(n);
                std::iota(order.begin(), order.end(), std::size_t{0});
                std::sort(order.begin(), order.end(),
                          [&](std::size_t a, std::size_t b) { return own[a] - widths[a] < own[b] - widths[b]; });
                for (std::size_t c : order) {
                    const double more = own[c] - widths[c];
                    if (more > 0 && sum(widths) + more <= available) widths[c] = own[c];
                }
                const double spare = available - sum(widths);
                double base = 0;
                for (std::size_t c : text) base += widths[c];
                if (base > 0) {
                    for (std::size_t c : text) widths[c] += spare * widths[c] / base;
                } else {
                    const double all = sum(widths);
                    for (double& w : widths) w += spare * w / all;
                }
                grid.widths = widths;
                return;
            }
            if (points > 7.5) continue;
            // Every title a word a line: the text columns share what is left,
            // each at least 25 mm and as wide as what it cannot break, so no
            // name is cut; the rest goes to them as they would be wide.
            double fixed = 0, wrapping = 0, least = 0;
            std::vector<double> unbreakable(n, 0);
            for (std::size_t c = 0; c < n; ++c) {
                if (std::find(text.begin(), text.end(), c) == text.end()) {
                    fixed += widths[c];
                    continue;
                }
                wrapping += widths[c];
                unbreakable[c] = sheet_.Mm(25);
                for (const Grid::Row& row : grid.rows) {
                    const QFont& font = row.kind == Grid::Kind::Summary ? grid.bold : grid.font;
                    unbreakable[c] =
                        std::max(unbreakable[c], sheet_.WidestUnbreakable(font, row.cells[static_cast<int>(c)]) + pad);
                }
                least += unbreakable[c];
            }
            if (!text.empty() && available - fixed >= least) {
                grid.widths = widths;
                const double spare = available - fixed - least;
                for (std::size_t c : text) grid.widths[c] = unbreakable[c] + spare * widths[c] / wrapping;
                return;
            }
            if (points <= 5.5) {
                const double all = sum(widths);
                grid.widths = widths;
                for (double& w : grid.widths) w *= available / all;
                return;
            }
        }
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
                if (!grid.heading.isEmpty()) DrawHeading(grid.heading + QStringLiteral(" (cd.)"));
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

    // "Opracował" and "Sprawdził", each with a line for the name and the
    // signature, at the end of the report.
    double SignaturesHeight() const { return sheet_.Mm(20); }
    double SignaturesGap() const { return sheet_.Mm(10); }

    void PlaceSignatures() {
        const QFont label = Font(9);
        const QFont hint = Font(7, false, true);
        const double h = SignaturesHeight();
        pager_.Gap(SignaturesGap());
        pager_.Ensure(h);
        const double y = pager_.Y();
        const double w = sheet_.Width();
        const double line = sheet_.Mm(12);
        const double hairline = hairline_;
        const double hintHeight = sheet_.LineHeight(hint);
        pager_.Add([=](QPainter& painter) {
            const QString who[] = {QStringLiteral("Opracował:"), QStringLiteral("Sprawdził:")};
            for (int i = 0; i < 2; ++i) {
                const double x = i * w / 2;
                const double column = w / 2 - w * 0.08;
                Text(painter, QRectF(x, y, column, line), label, kInk, Qt::AlignLeft | Qt::AlignTop, who[i]);
                painter.setPen(QPen(kInk, hairline, Qt::DotLine));
                painter.drawLine(QPointF(x, y + line), QPointF(x + column, y + line));
                Text(painter, QRectF(x, y + line + hairline * 4, column, hintHeight), hint, kQuiet, Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("imię i nazwisko, podpis"));
            }
        });
        pager_.Advance(h);
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

int RenderReport(const Report& report, QPagedPaintDevice& device, const ReportRenderOptions& options) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                     QPageLayout::Millimeter));
    Layout layout(report, device);
    std::vector<std::vector<Op>>& pages = layout.Run();
    const int count = static_cast<int>(pages.size());
    const int first = std::max(options.firstPage, 1);
    const int last = options.lastPage > 0 ? std::min(options.lastPage, count) : count;
    if (first > last) return count;

    const QDateTime when = options.clock ? options.clock() : ReportClock();
    QSvgRenderer logo(options.logo);
    QPainter painter;
    if (!painter.begin(&device)) throw std::runtime_error("Nie można rozpocząć drukowania raportu.");
    for (int number = first; number <= last; ++number) {
        if (number > first && !device.newPage()) {
            throw std::runtime_error("Nie można rozpocząć kolejnej strony raportu.");
        }
        painter.save();
        layout.DrawFrame(painter, number, count, logo.isValid() ? &logo : nullptr, when);
        painter.restore();
        for (const Op& op : pages[static_cast<std::size_t>(number - 1)]) {
            painter.save();
            op(painter);
            painter.restore();
        }
    }
    painter.end();
    return count;
}

QByteArray ReportPdf(const Report& report, const ReportRenderOptions& options) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setTitle(FromStd(report.document.Caption()));
        writer.setCreator(kReportProgramName);
        RenderReport(report, writer, options);
    }
    return pdf;
}

void SaveReportPdf(const QString& path, const Report& report, const ReportRenderOptions& options) {
    const QByteArray pdf = ReportPdf(report, options);
    WriteFileAtomically(ToStd(path), Bytes(pdf.begin(), pdf.end()));
}

}  // namespace vimtal
