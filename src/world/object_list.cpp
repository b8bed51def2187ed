// object_list.cpp -- index walks continue from the cursor when they move forward, so a
// loop over all entries by index costs linear time rather than quadratic.
#include "world/object_list.h"

#include <utility>

const ObjectSpec emptySpec = {1.5f, -6.0f, 3.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0};

ObjectList::ObjectList(const ObjectSpec& placeholder) {
    head = new GameObject(placeholder, 0, nullptr);
    tail = head;
    cursor = head;
}

ObjectList& ObjectList::operator=(ObjectList&& other) noexcept {
    std::swap(tail, other.tail);
    std::swap(cursor, other.cursor);
    std::swap(head, other.head);
    std::swap(cursorIndex, other.cursorIndex);
    std::swap(entries, other.entries);
    std::swap(removed, other.removed);
    return *this;
}

ObjectList::~ObjectList() {
    releaseRemoved();
    GameObject* entry = head;
    while (entry != nullptr) {
        GameObject* following = entry->next;
        delete entry;
        entry = following;
    }
}

void ObjectList::append(ObjectSpec spec, int id) {
    GameObject* entry = new GameObject(spec, id, tail);
    tail->next = entry;
    tail = entry;
    entries += 1;
}

GameObject* ObjectList::walkTo(int index) const {
    if (index < 0 || index >= entries) {
        return nullptr;
    }
    if (index < cursorIndex || cursor == nullptr) {
        cursor = head;
        cursorIndex = 0;
    }
    while (cursorIndex < index) {
        cursor = cursor->next;
        cursorIndex += 1;
    }
    return cursor;
}

GameObject* ObjectList::at(int index) {
    return walkTo(index);
}

const GameObject* ObjectList::at(int index) const {
    return walkTo(index);
}

int ObjectList::count(bool excludeFirst) const {
    return excludeFirst ? entries - 1 : entries;
}

int ObjectList::indexOf(int id) const {
    int index = 0;
    for (const GameObject* entry = head; entry != nullptr; entry = entry->next) {
        if (entry->id == id) {
            return index;
        }
        index += 1;
    }
    return -1;
}

void ObjectList::removeAt(int index) {
    if (entries <= 1) {
        return;
    }
    GameObject* entry = walkTo(index);
    if (entry == nullptr) {
        return;
    }
    if (entry->prev == nullptr) {
        head = entry->next;
    } else {
        entry->prev->next = entry->next;
    }
    if (entry->next == nullptr) {
        tail = entry->prev;
    } else {
        entry->next->prev = entry->prev;
    }
    entries -= 1;
    // The cursor must not stay on the unlinked entry.
    if (entry->prev != nullptr) {
        cursor = entry->prev;
        cursorIndex = index - 1;
    } else {
        cursor = head;
        cursorIndex = 0;
    }
    entry->next = removed;
    removed = entry;
}

void ObjectList::releaseRemoved() {
    while (removed != nullptr) {
        GameObject* following = removed->next;
        delete removed;
        removed = following;
    }
}
