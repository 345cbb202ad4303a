#pragma once
// The manual: Russian HTML pages shipped as resources, in a browser window. An exercise's page
// is its hand-written text (formulas, rows, units) followed by what its description states: the
// edits, the table rows and the textbook's worked example, solved as a window solves it.

#include <QString>
#include <QWidget>

class QTextBrowser;
class QUrl;

namespace kvelta {

struct Exercise;

// The HTML of an exercise's page, or of the contents page for nullptr.
QString HelpPageHtml(const Exercise* exercise);

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the exercise's page (the contents for nullptr) and brings the window to the front.
    void showPage(const Exercise* exercise);
    QTextBrowser* browser() const { return browser_; }
    const Exercise* shownExercise() const { return shown_; }

private:
    void follow(const QUrl& url);

    QTextBrowser* browser_;
    const Exercise* shown_ = nullptr;
};

}  // namespace kvelta
