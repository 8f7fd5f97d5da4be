#pragma once

// What the submission parts need of the software list, which the main window
// keeps.
class SoftwareListHost
{
public:
    virtual ~SoftwareListHost() = default;
    // The software list's current row, as a table row (1..).
    virtual int currentSoftwareRow() const = 0;
    // Makes `row` current; the change runs the record-selected step.
    virtual void setCurrentSoftwareRow(int row) = 0;
    // Submission marks (field 104) changed: the list is drawn again.
    virtual void softwareMarksChanged() = 0;
};
