#include "GuidePage.h"

namespace gr::ui {

namespace {

struct GuideRow {
    enum Kind { Heading, Text, Blank } kind;
    const char* text;
};

constexpr GuideRow H(const char* text) {
    return {GuideRow::Heading, text};
}
constexpr GuideRow T(const char* text) {
    return {GuideRow::Text, text};
}
constexpr GuideRow B() {
    return {GuideRow::Blank, "&nbsp;"};
}

std::string RowHtml(const GuideRow& row) {
    const std::string cell =
        row.kind == GuideRow::Heading ? "<b>" + std::string(row.text) + "</b>" : row.text;
    return "<tr><td>" + cell + "</td></tr>";
}

// The page in order: the questions, the screens, then the setup windows.
constexpr GuideRow kGuideRows[] = {
    H("FAQs"),
    B(),
    H("How to start a new season or see previous years information?"),
    T("Go to Setup -> Season. Click up/down arrow of the Year field to select a season. Once "
      "a year has been selected go to Draft, Winning or other forms to view data. You will "
      "not be able to select a year greater than current calendar year."),
    B(),
    H("Why can't I rank managers?"),
    T("Go to Setup -> Season and check if:"),
    T("- Number of Managers info is more than zero"),
    T("- Names of managers have been entered in the Managers section"),
    B(),
    H("How can I re-rank managers after I locked ranking?"),
    T("Go to Setup -> Season and uncheck Is Ranking Locked? field. Caution: If you have "
      "already started drafting players then that information will be lost."),
    B(),
    H("Why can't I enter drafts?"),
    T("Check if:"),
    T("- Season has all managers entered"),
    T("- Season has number of draft rounds entered"),
    T("- Manager ranking is locked"),
    B(),
    H("How can I enter joint winners of prizes?"),
    T("Go to Winnings and a entry for the given prize and manager. Now for the same prize, "
      "add another entry with a different manager name. Prize amount will be automatically "
      "divided between the managers."),
    B(),
    H("General Information"),
    B(),
    H("Manager Ranking"),
    T("This form is used to randomize/shuffle the managers for the draft. Shuffle button is "
      "used to randomize both managers and rank. Clear button will bring back data to normal "
      "state i.e. players will be sorted by their first name. Save & Lock button can be used "
      "to save ranking and get ready to Draft players. Without locking ranking, players can "
      "not be drafted. See Setup section of guide if you want to unlock ranking. "),
    B(),
    H("Draft Players"),
    T("This form is used to enter draft. Draft goes in a snake pattern, so manager with the "
      "last rank goes first in second round. Use Player field to enter a player name selected "
      "by the manager. You can enter a partial string and system will search for all players "
      "with that partial string as their first or last name. If more than one player is "
      "found then a pop-up is shown with all the results. If desired player is not found "
      "then you can click on Add Player button to add that player in the system. Click on "
      "the Next Pick button to enter next draft. By default, view of this form is by draft "
      "rounds but you can click on Display By Manager button to change the view. "),
    B(),
    H("Winnings"),
    T("This form is used to enter any prizes that your league awards. Enter type of prize, "
      "manager who won that prize, and if any money is associated with that prize then that "
      "will be shown in the Amount column. When searching for managers or prizes, only those "
      "managers or prizes are shown which are applicable to the current season."),
    B(),
    H("Reports"),
    T("This form is used to view overall money distribution among managers. There are two "
      "reports which are available. Current Season shows information of only those managers "
      "which are involved in that current year. All Seasons report shows information for all "
      "managers who have been involved over the years."),
    B(),
    H("Setup -> Season"),
    T("This form holds the information of one season. Click the up/down arrows of the Year "
      "field to create a new season year or to see a past season."),
    T("No of Managers is the number of people in your league. The Managers section gets "
      "that many rows for their names, and the Manager Ranking form stays disabled until all "
      "names are entered. Once ranking is locked, this field is read-only."),
    T("Money Contribution is the amount each manager contributes at the start of the season, "
      "which is later paid out as prize money. The Fee Paid column of the Managers section "
      "records who has paid, and the reports take it into account."),
    T("No of Regular Weeks is the number of head-to-head weeks before the playoffs. Weekly "
      "prizes use it."),
    T("Total No of Weeks is the number of all weeks of your league, the matchup weeks and "
      "the playoff weeks together."),
    T("No of Draft Rounds is the total number of draft rounds in your league. This is useful "
      "for Draft Players form. Once draft is locked, this field is read-only."),
    T("Is Ranking Locked? should be set when ranking of managers for draft is complete. "
      "Without locking ranking, you will not be able to draft players."),
    T("Is Draft Locked? should be set when drafting of players is complete. If set, it will "
      "make Draft Players form as read-only."),
    T("Money Distribution section is useful to enter prizes that can be won through out the "
      "season. Enter a prize and the amount of money associated with it and system will keep "
      "track of prize money vs money collection."),
    B(),
    H("Setup -> Manager"),
    T("This form is used to enter new, edit or delete a manager. Existing managers being used "
      "in related records cannot be deleted. It requires Last name and First name of the "
      "manager."),
    B(),
    H("Setup -> Player"),
    T("This form is used to enter new, edit or delete a player. Existing players being used "
      "in related records cannot be deleted. It requires Last name, First name, player "
      "position and team of the player."),
    B(),
    H("Draft Players: keys and draft night"),
    T("Every button has a key: Alt+P Previous Pick, Alt+N Next Pick, Alt+G Go to Current Pick, "
      "Alt+M or Alt+R Display By Manager or Round, Alt+L Lock Drafting, Alt+S Save, Alt+C "
      "Close, Alt+I or Ctrl+P Print, Alt+D or Ctrl+Shift+S Save as PDF, Ctrl+F Search players, "
      "Ctrl+N Add a new player, Alt+O or F11 Room Display. Enter takes the typed name and moves "
      "to the next pick."),
    T("Ctrl+Z takes back the last pick taken since the form was opened (the pick becomes the "
      "current one again, unsaved); repeat it to go further back. Ctrl+Shift+Z takes it "
      "again."),
    T("Room Display shows the draft full screen for the room, on the second screen when there "
      "is one: the manager on the clock, the pick clock, the last three picks, the board by "
      "round with the positions coloured, and each new pick announced large. Esc or F11 in "
      "this form closes it; it never takes the keys of this form and changes no data."),
    T("Pick clock: the seconds per pick (Alt+K; 0 turns it off) are kept with the league. The "
      "clock restarts at every new pick, turns red in the last 10 seconds and sounds once at "
      "0; it never takes a pick. P (outside the Player field) or Alt+U pauses and resumes it. "
      "Read picks aloud (Alt+A) reads each new pick where the computer has a voice."),
    B(),
    H("Setup -> Prize"),
    T("This form is used to enter new, edit or delete a prize. Existing prizes being used in "
      "related records cannot be deleted. It requires Prize name and type of the prize. "
      "Prize type can be either weekly (like highest points scored during a regular week) or "
      "once during season (like league champion, top seed after regular season)."),
    B(),
};

}  // namespace

std::string BuildGuidePage() {
    std::string html = "<table width='100%'>";
    for (const GuideRow& row : kGuideRows) html += RowHtml(row);
    return html + "</table>";
}

}  // namespace gr::ui
