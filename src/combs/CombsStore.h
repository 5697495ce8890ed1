#pragma once
#include <bitset>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/Game.h"

namespace qx {

enum class TJournalIcon { Keep, Remove, Undo };

// One row of the applied-filters journal.
struct TJournalRow {
    TJournalIcon Icon = TJournalIcon::Remove;
    std::string Caption;
    std::string Values;
    int Count = 0;  // list count after the step
};

// The working combination list with its one level of undo, the combination buffer of script
// steps and the journal of applied filters. Each list is sized for all 10,000 combinations once,
// so narrowing steps rewrite them in place without allocating.
class TCombsStore {
public:
    TCombsStore();

    const TCombsArray& List() const { return FList; }
    int Count() const { return static_cast<int>(FList.size()); }
    const TCombsArray& UndoList() const { return FUndo; }
    bool CanUndo() const { return !FUndo.empty(); }
    uint64_t Revision() const { return FRevision; }

    void Assign(const TCombsArray& combs);
    void Clear();
    // Rebuilds the list from the undo copy keeping, in order, the entries keep(code, index) accepts.
    template <class Keep>
    void KeepFromUndo(Keep&& keep) {
        FList.clear();
        for (size_t i = 0; i < FUndo.size(); ++i)
            if (keep(FUndo[i], i)) FList.push_back(FUndo[i]);
        Changed();
    }

    void SaveUndo();     // undo copy := list
    void RestoreUndo();  // list := undo copy; the undo copy empties
    void ClearUndo();

    // Combination buffer, keyed by (draws offset, N).
    std::pair<int, int> BufferKey() const { return FBufferKey; }
    int BufferCount() const { return static_cast<int>(FBuffer.size()); }
    // Whether StoreBuffer / LoadBuffer with this key would copy anything.
    bool BufferNeedsStore(int offset, int n) const { return FBufferKey != std::pair(offset, n); }
    bool BufferCanLoad(int offset, int n) const { return !BufferNeedsStore(offset, n) && !FBuffer.empty(); }
    bool StoreBuffer(int offset, int n);  // false when the key was already stored
    bool LoadBuffer(int offset, int n);
    void ResetBuffer();        // key (-1, -1), empty
    void ClearBufferItems();   // empty, key kept

    const std::vector<TJournalRow>& Journal() const { return FJournal; }
    void AddJournalRow(bool remove, const std::string& caption, const std::string& values);
    void AddUndoJournalRow();
    void DropLastJournalRow();
    void ClearJournal();

    // Whether the list holds that combination: a 10,000-bit set kept in step with the list.
    bool Contains(TCombCode code) const;

private:
    void Changed();

    TCombsArray FList;
    TCombsArray FUndo;
    TCombsArray FBuffer;
    std::pair<int, int> FBufferKey{-1, -1};
    std::vector<TJournalRow> FJournal;
    uint64_t FRevision = 1;
    mutable std::bitset<kCombCount> FMembers;
    mutable uint64_t FMembersRevision = 0;
};

} // namespace qx
