# Shared start of the compare-*.sh scripts; source it with the benchmark target and the
# Java source: `source lib/prepare.sh <target> <Java file>`. It sets up the machine,
# installs OpenJDK 17 when missing, builds the target (Release) and compiles the Java side.
# Afterwards: $root, $build (binaries in $build/bench), $work (the compiled Java classes;
# removed on exit).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
"$root/scripts/setup.sh"
if ! command -v javac >/dev/null || ! javac -version 2>&1 | grep -q ' 17'; then
  sudo_cmd=(); [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get install -y -qq openjdk-17-jdk-headless
fi
build="$root/build/bench"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_BENCH=ON -DOSTREL_TESTS=OFF >/dev/null
cmake --build "$build" --target "$1" >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
javac -d "$work" "$root/bench/java/$2"
