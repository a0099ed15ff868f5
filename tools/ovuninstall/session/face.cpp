#include "ovuninstall/session/face.h"

#include <vector>

namespace {

// Filled while static objects are made, before main: held in a function so that it exists when
// the first registration comes, whatever the order the objects are made in.
std::vector<Face*>& Faces() {
    static std::vector<Face*> faces;
    return faces;
}

}  // namespace

FaceRegistration::FaceRegistration(Face& face) {
    Faces().push_back(&face);
}

Face* FaceForStart(int argc, char** argv) {
    Face* chosen = nullptr;
    int strongest = 0;
    for (Face* face : Faces()) {
        const int claim = face->Claim(argc, argv);
        if (claim > strongest) {
            chosen = face;
            strongest = claim;
        }
    }
    return chosen;
}
