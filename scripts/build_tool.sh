# shellcheck shell=bash
# Sourced by the scripts that make build trees. The trees they make are built by Ninja: it builds
# the whole tree with a tenth less CPU than make, and finds a tree with nothing to do in a
# moment, where make's checks took seconds each time. A tree made before keeps the tool it was
# made with; a CMAKE_GENERATOR of the caller's own stands.
export CMAKE_GENERATOR="${CMAKE_GENERATOR:-Ninja}"
