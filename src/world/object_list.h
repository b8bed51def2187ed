// object_list.h -- the doubly linked list of stones or debris pieces, addressed by index.
// Entry 0 is a permanent placeholder, so the game's own objects are entries 1 to count-1.
// Removed entries stay readable until releaseRemoved(), because the rules still read a
// stone in the same step that removed it. A list owns its entries and is never copied:
// whoever only reads it takes it by const reference.
#pragma once

#include "world/game_object.h"

class ObjectList {
  public:
    // The placeholder's id is 0.
    explicit ObjectList(const ObjectSpec& placeholder);
    ObjectList(const ObjectList&) = delete;
    ObjectList& operator=(const ObjectList&) = delete;
    // Takes the other list's entries; its own go to the other, which frees them.
    ObjectList& operator=(ObjectList&& other) noexcept;
    ~ObjectList();

    // Adds an entry with the given id at the end.
    void append(ObjectSpec spec, int id);
    // Unlinks the entry; entries behind it move down one index. Index 0 of a list holding
    // nothing else is kept, so the list is never empty.
    void removeAt(int index);
    // The entry at index, or null outside 0..count(false)-1.
    GameObject* at(int index);
    const GameObject* at(int index) const;
    int count(bool excludeFirst) const;
    // The index of the entry with this id, or -1 when none has it.
    int indexOf(int id) const;
    // Frees the entries removed since the last call.
    void releaseRemoved();
    // Removed entries wait here for release; they stay reachable, so a leak checker would
    // not see them pile up.
    bool hasUnreleased() const { return removed != nullptr; }

  private:
    GameObject* walkTo(int index) const;

    GameObject* tail;
    // Where the last walk ended: a walk to a later index goes on from here. Reading moves it
    // and changes no entry, so const readers walk too.
    mutable GameObject* cursor;
    GameObject* head;
    mutable int cursorIndex = 0;
    int entries = 1;
    GameObject* removed = nullptr; // unlinked entries, chained through next
};

// The record both lists build their placeholder from: size 0 at (1.5, -6.0, 3.0), at rest.
// Constant-initialised, so it is there before any list is built from it.
extern const ObjectSpec emptySpec;
