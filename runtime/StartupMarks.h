// Marks that a program passes on its way to its first idle moment, for the
// benchmark that times the steps of start-up.
#pragma once

// The steps, in the order a start-up passes them. A program passes only the
// marks of the steps it has; the hint marks come in pairs, once for every
// hint text set.
enum class StartupMark : int {
    kOleInitialised,   // OLE and its message filter
    kCommonControls,   // the common control classes registered
    kFrameworkReady,   // control containers, the framework's own start-up
    kComInitialised,   // start-up values recorded, COM for this thread
    kDisplayScale,     // the display scale recorded
    kProgramObject,    // the program object made from its class record
    kFormCreating,     // the main window is asked to create itself
    kChildrenCreating, // the main window's native window reports its creation
    kChildrenCreated,  // all eighteen children exist
    kFormCreated,      // the main window's creation returned
    kHintBegin,        // a hint text is about to be set
    kHintEnd,          // that hint text is set
    kFirstIdle,        // the message queue went empty for the first time
    kCount
};

// What a benchmark installs to see the marks; the tool itself has none.
using StartupObserver = void (*)(StartupMark mark);

// Installs the observer of every later mark; null removes it. Set it during
// static construction, before any mark: the marks read it unguarded.
void SetStartupObserver(StartupObserver observer);

// Tells the observer, if there is one, that start-up reached mark. Without an
// observer it costs one test of a pointer.
void MarkStartup(StartupMark mark);
