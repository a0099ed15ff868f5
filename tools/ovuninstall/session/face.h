// The faces of the uninstall program: how it meets the person who started it (the console's
// commands and terminal; a window where one is built). Each face registers itself from its own
// folder; main starts the face that claims the start most strongly.
#pragma once

#include "ovuninstall/session/outcome.h"

class RunLog;

class Face {
  public:
    virtual ~Face() = default;
    // How strongly the face claims a start with these arguments: 0 not at all, higher wins.
    virtual int Claim(int argc, char** argv) const = 0;
    // The whole run; it opens the log once it knows where the log goes.
    virtual Outcome Run(int argc, char** argv, RunLog& log) = 0;
};

// A face's folder registers it through a static object of this type.
class FaceRegistration {
  public:
    explicit FaceRegistration(Face& face);
};

// The registered face that claims the start most strongly; nullptr when none claims it.
Face* FaceForStart(int argc, char** argv);
