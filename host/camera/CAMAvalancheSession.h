#pragma once

#include "kit/runtime/Object.h"

namespace host {

// A burst: made (init) when the shutter is held in photo mode and ended
// (dealloc) when it is let go; it counts the photos it took.
class CAMAvalancheSession final : public kit::Object {
    KIT_OBJECT(CAMAvalancheSession, kit::Object)

public:
    kit::id init();
    void dealloc();

    int photoCount() const { return m_photoCount; }
    void addPhoto() { ++m_photoCount; }
    bool isEnded() const { return m_ended; }

    static void registerRuntimeMethods();

private:
    int m_photoCount { 0 };
    bool m_ended { false };
};

}
