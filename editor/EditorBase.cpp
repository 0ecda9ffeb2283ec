#include "editor/EditorBase.h"

#include "plugin/PluginBase.h"

EditorBase::EditorBase(PluginBase* effect)
    : effect(effect), parentWindow(nullptr), updateRequested(0) {
    if (effect) effect->attachEditor(this);
}

EditorBase::~EditorBase() = default;

int32_t EditorBase::getRect(ERect** rect) {
    // A host that passes no place for the answer gets none.
    if (rect) *rect = nullptr;
    return 0;
}

int32_t EditorBase::open(HWND parent) {
    parentWindow = parent;
    return 0;
}

void EditorBase::close() {}

void EditorBase::idle() {
    if (updateRequested) {
        updateRequested = 0;
        update();
    }
}

void EditorBase::update() {}

void EditorBase::requestUpdate() { updateRequested = 1; }
