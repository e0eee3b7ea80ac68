# Sourced by the bench scripts from the repository's root: builds the release
# texelsmithy-cli in $BUILD_DIR (default build/bench) and sets tool to its path.
build=${BUILD_DIR:-build/bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTEXEL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target texelsmithy-cli -j "$(nproc)" >/dev/null
tool=$PWD/$build/src/app/texelsmithy-cli
