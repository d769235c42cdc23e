#include "ExportButtons.h"

#include <QShortcut>

namespace gr::ui {

namespace {

QPushButton* MakeButton(QWidget& window, const QString& text, const char* name,
                        const QKeySequence& keys = {}) {
    auto* button = new QPushButton(text, &window);
    button->setObjectName(QString::fromLatin1(name));
    button->setEnabled(false);
    if (!keys.isEmpty()) {
        // A shortcut of the window, not of the button, so that it works while the page has
        // the focus; click() does nothing while the button is disabled.
        auto* shortcut = new QShortcut(keys, &window);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
        button->setToolTip(text.left(text.indexOf(QLatin1String("..."))).remove(QLatin1Char('&')) +
                           QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) +
                           QStringLiteral(")"));
    }
    return button;
}

}  // namespace

ExportButtons MakeExportButtons(QWidget& window, HtmlView& view, bool withCsv) {
    ExportButtons buttons;
    buttons.cmdPrint =
        MakeButton(window, QStringLiteral("&Print..."), "cmdPrint", QKeySequence::Print);
    buttons.cmdSavePdf = MakeButton(window, QStringLiteral("Save as P&DF..."), "cmdSavePdf",
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    if (withCsv)
        buttons.cmdSaveCsv = MakeButton(window, QStringLiteral("Save as CS&V..."), "cmdSaveCsv");
    const auto enable = [buttons] {
        for (QPushButton* button : {buttons.cmdPrint, buttons.cmdSavePdf, buttons.cmdSaveCsv})
            if (button) button->setEnabled(true);
    };
    if (view.isLoaded())
        enable();
    else
        QObject::connect(&view, &HtmlView::documentComplete, &window, enable);
    return buttons;
}

}  // namespace gr::ui
