// Undo and redo of the picks of one sitting at the draft board: each change of a pick's
// content the organiser makes is remembered (a pick emptied and then filled again counts as one
// change), and taken back or taken again through the draft entry, which tells the board.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "DraftEntry.h"

namespace gr::ui {

class DraftUndo {
  public:
    explicit DraftUndo(DraftEntry& entry) : m_entry(entry) {}

    // A new sitting: what every pick holds now is where undo stops.
    void Start();
    // The entry changed this pick's content (call from its PickChanged listener).
    void PickChanged(int32_t pick);

    bool CanUndo() const { return !m_done.empty(); }
    bool CanRedo() const { return !m_undone.empty(); }
    // Puts the last change back and makes its pick the current one; false when none is left.
    bool Undo();
    // Makes the last undone change again and moves on to the pick after it.
    bool Redo();

  private:
    struct Change {
        int32_t pick = 0;
        ComPtr<IPickable> before;
        ComPtr<IPickable> after;
    };
    ComPtr<IPickable> Held(int32_t pick) const;
    void Apply(int32_t pick, const ComPtr<IPickable>& content);

    DraftEntry& m_entry;
    std::map<int32_t, ComPtr<IPickable>> m_known;  // what each pick held after the last change
    std::vector<Change> m_done;
    std::vector<Change> m_undone;
    bool m_applying = false;
};

}  // namespace gr::ui
