#pragma once

#include "project/project.h"
#include "project/project_evaluation.h"
#include "project/project_types.h"

#include <optional>

namespace hygrova {

// What the states window and the processes window ask of the project's keeper, which holds
// the project, draws its layer on the chart and keeps both windows showing it. The windows
// know it by this alone.
class ProjectHost {
public:
    // The project the windows edit.
    virtual Project& CurrentProject() = 0;
    // The project as evaluated after its last edit.
    virtual const ProjectEvaluation& Evaluation() const = 0;
    // Tells the keeper the project was edited: it evaluates it again, draws the layer and has
    // both windows show the new rows.
    virtual void ProjectEdited() = 0;
    // The known pair of the state the results window shows; none when it shows none.
    virtual std::optional<KnownPair> ResultsPair() = 0;
    // Brings the processes window up (the states window opens it).
    virtual void ShowProcessesWindow() = 0;

protected:
    ProjectHost() = default;
    ProjectHost(const ProjectHost&) = default;
    ProjectHost& operator=(const ProjectHost&) = default;
    ~ProjectHost() = default;
};

}  // namespace hygrova
