#pragma once

// What the Find Tool window needs of the program around it, without depending on the
// application's class: the application object (AfxGetApp()) implements ISearchHost and runs the
// search. A program or test without it gets no search from the Find button.
class ISearchHost
{
public:
    // Searches the memory of the active document's process for text and lists the hits in the
    // Find Tool window; returns when the search has ended.
    virtual void SearchMemory(const char* text) = 0;

protected:
    virtual ~ISearchHost() = default;
};
