#pragma once

// What the tool windows need of the program around them, without depending on the
// application's or the main frame's classes: the application object (AfxGetApp()) implements
// IToolWindowHost. A program or test without it gets no retrieval from the process tree and no
// search from the Find button.
class IToolWindowHost
{
public:
    // Whether a process chosen in the tree may retarget the active document now: false until
    // the main frame has finished its creation.
    virtual bool IsReadyForSelection() const = 0;
    // Runs the retrieval of every document marked pending, behind the progress window.
    virtual void RetrievePendingDocuments() = 0;
    // Searches the memory of the active document's process for text and lists the hits in the
    // Find Tool window; returns when the search has ended.
    virtual void SearchMemory(const char* text) = 0;

protected:
    virtual ~IToolWindowHost() = default;
};
