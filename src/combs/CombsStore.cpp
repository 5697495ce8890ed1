#include "combs/CombsStore.h"

namespace qx {

TCombsStore::TCombsStore() {
    FList.reserve(kCombCount);
    FUndo.reserve(kCombCount);
    FBuffer.reserve(kCombCount);
}

void TCombsStore::Changed() { ++FRevision; }

void TCombsStore::Assign(const TCombsArray& combs) {
    FList.assign(combs.begin(), combs.end());
    Changed();
}

void TCombsStore::Clear() {
    FList.clear();
    Changed();
}

void TCombsStore::SaveUndo() { FUndo.assign(FList.begin(), FList.end()); }

void TCombsStore::RestoreUndo() {
    FList.assign(FUndo.begin(), FUndo.end());
    FUndo.clear();
    Changed();
}

void TCombsStore::ClearUndo() { FUndo.clear(); }

bool TCombsStore::StoreBuffer(int offset, int n) {
    if (!BufferNeedsStore(offset, n)) return false;
    FBuffer.assign(FList.begin(), FList.end());
    FBufferKey = {offset, n};
    return true;
}

bool TCombsStore::LoadBuffer(int offset, int n) {
    if (!BufferCanLoad(offset, n)) return false;
    FList.assign(FBuffer.begin(), FBuffer.end());
    Changed();
    return true;
}

void TCombsStore::ResetBuffer() {
    FBufferKey = {-1, -1};
    FBuffer.clear();
}

void TCombsStore::ClearBufferItems() { FBuffer.clear(); }

void TCombsStore::AddJournalRow(bool remove, const std::string& caption, const std::string& values) {
    FJournal.push_back({remove ? TJournalIcon::Remove : TJournalIcon::Keep, caption, values, Count()});
}

void TCombsStore::AddUndoJournalRow() {
    FJournal.push_back({TJournalIcon::Undo, "Отмена последней операции", "", Count()});
}

void TCombsStore::DropLastJournalRow() {
    if (!FJournal.empty()) FJournal.pop_back();
}

void TCombsStore::ClearJournal() { FJournal.clear(); }

bool TCombsStore::Contains(TCombCode code) const {
    if (FMembersRevision != FRevision) {
        FMembers.reset();
        for (TCombCode c : FList) {
            int index = CodeIndex(c);
            if (index >= 0) FMembers.set(static_cast<size_t>(index));
        }
        FMembersRevision = FRevision;
    }
    int index = CodeIndex(code);
    return index >= 0 && FMembers.test(static_cast<size_t>(index));
}

} // namespace qx
