#pragma once
// A replay function: an operation whose calls a demo records and plays back, registered under a
// name that ends in "FromStream" by convention. Every registration is a static object, so the
// registry is complete before main; its index in a stream is its position among the registered
// names sorted byte-wise, so a demo plays only in a build with the same set of names.
#include "app/ReplayFunctionTable.h"

#include <cstdint>

class CReplayStream;

class CReplayFunction
{
public:
    // Appends the function to the registry. name is not copied: a literal, or text that outlives
    // the function.
    CReplayFunction(const char* name, uint32_t flagMask);
    // Leaves the registry.
    virtual ~CReplayFunction();
    CReplayFunction(const CReplayFunction&) = delete;
    CReplayFunction& operator=(const CReplayFunction&) = delete;

    // Reads the record's fields from the stream and does what the recorded call did.
    virtual void Execute(CReplayStream& stream) = 0;

    const char* GetName() const { return m_name; }
    uint32_t GetFlagMask() const { return m_flagMask; }

    // Every registered function, in registration order until a stream sorts it. Never destroyed,
    // since static functions leave it from their destructors.
    static CReplayFunctionTable& GetRegistry();

private:
    const char* m_name;
    uint32_t m_flagMask;
};
