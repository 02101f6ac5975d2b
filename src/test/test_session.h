#pragma once
// What the test windows share while the program runs: the data tree and the engine that holds
// the running or resumed test. The program entry creates one beside the Program and hands it to the main
// window, which hands it to the test windows; tests create their own.

#include "store/data_tree.h"
#include "store/random_generator.h"
#include "test/test_engine.h"

namespace lexivo {

struct TestSession {
    TestSession(const DataTree& dataTree, RandomGenerator& random) : tree(dataTree), engine(dataTree, random) {}

    DataTree tree;
    TestEngine engine;
};

}  // namespace lexivo
