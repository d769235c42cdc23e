// The clickable icons of the screens. The pages draw their icons as a glyph element with an id
// and a tooltip; the windows' icon buttons show the same glyphs. Glyphs are named by their
// Webdings letter ("N" search, "l" add, "r" delete, arrows "3" to "6") and drawn as the
// matching symbol of the packaged font.
#pragma once

#include <string>

class QAbstractButton;

namespace gr::ui {

enum class IconSize { Normal, Large };  // Large: the 16 pt search and add icons of the grids

// "<div class='glyph' style='cursor:default' id='..' title='..'>symbol</div>"; id and title
// are escaped.
std::string IconHtml(char webdings, const std::string& id, const std::string& title,
                     IconSize size = IconSize::Normal);

// Makes button show the glyph in the symbol font with the tooltip. The button takes the focus
// when clicked, so a text box it sits beside loses the focus (and runs its checks) first.
void SetIconButton(QAbstractButton* button, char webdings, const std::string& tooltip);

}  // namespace gr::ui
