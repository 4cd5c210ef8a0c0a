#pragma once

namespace hygrova {

class Form5;

// What the query dialog and the results window ask of the main window, which owns the chart
// and the results window. The main window implements it; the query windows know it by this
// alone.
class QueryHost {
public:
    // The results window, created on first use; at most one.
    virtual Form5& ResultsWindow() = 0;
    // Clears the chart and draws it again for the current settings. A fault stops the drawing
    // where it arose: the chart shows what was drawn up to there, as after a resize, and the
    // call ends normally.
    virtual void RedrawChart() = 0;
    // Marks the state of moisture content d (g/kg dry air) and enthalpy h (kJ/kg dry air) on
    // the chart with a filled circle. A state whose place overflows single precision lies far
    // off the chart, where a mark could not be seen anyway: it is not marked.
    virtual void PlotState(float d, float h) = 0;

protected:
    QueryHost() = default;
    QueryHost(const QueryHost&) = default;
    QueryHost& operator=(const QueryHost&) = default;
    ~QueryHost() = default;
};

}  // namespace hygrova
