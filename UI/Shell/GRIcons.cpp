#include "GRIcons.h"

#include <QAbstractButton>
#include <QFont>

#include "GRStringUtils.h"

namespace gr::ui {

std::string IconHtml(char webdings, const std::string& id, const std::string& title,
                     IconSize size) {
    const std::string style =
        size == IconSize::Large ? "font-size:16pt; cursor:default" : "cursor:default";
    return "<div class='glyph' style='" + style + "' id='" + HtmlEscape(id) + "' title='" +
           HtmlEscape(title) + "'>" + HtmlEscape(WebdingsSymbol(webdings)) + "</div>";
}

void SetIconButton(QAbstractButton* button, char webdings, const std::string& tooltip) {
    if (!button) return;
    QFont font(QStringLiteral("Symbola"));
    font.setPointSize(12);
    button->setFont(font);
    button->setText(QString::fromStdString(WebdingsSymbol(webdings)));
    button->setToolTip(QString::fromStdString(tooltip));
    button->setFocusPolicy(Qt::StrongFocus);
}

}  // namespace gr::ui
