#pragma once
// What the preset system tells the editor's preset strip (name field and
// program menu). The preset editor implements it; no listener means no editor.

namespace ambrel {

class CPresetSystemListener {
public:
    virtual ~CPresetSystemListener() = default;
    // The current program took a new name (rename by the host, memory recall, preset load).
    virtual void programNameChanged(const char* name) = 0;
};

}  // namespace ambrel
