#include <Clt/Vector.h>

#include "control.h"
#include "journal.h"

namespace Clt {

Vector::Vector() : x(0.0), y(0.0), z(0.0) {
    standin::Call("Vector", "Vector", standin::Reads);
    standin::countConstruction("Vector", 1);
}

Vector::Vector(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {
    standin::Call("Vector", "Vector", standin::Reads).arg(x_).arg(y_).arg(z_);
    standin::countConstruction("Vector", 1);
}

Vector::Vector(const Vector &other) : x(other.x), y(other.y), z(other.z) {
    standin::Call("Vector", "Vector", standin::Reads).arg(other);
    standin::countConstruction("Vector", 1);
}

Vector::~Vector() {
    standin::Call("Vector", "~Vector", standin::Reads).arg(*this);
    standin::countConstruction("Vector", -1);
}

}  // namespace Clt
