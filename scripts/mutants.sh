#!/usr/bin/env bash
# Mutation check of the build's rules and encoders: each small change of the
# list below is made, one at a time, in a scratch copy of the source tree;
# the unit tests are built (incrementally, in one build folder kept across
# mutants and runs) and run, and the change is reported as caught (a test
# failed, or the run timed out or crashed) or survived. The real tree is
# never edited. It takes about 6 minutes on 2 cores once the scratch build
# exists (the first run builds it whole); it is not part of the test run.
#
#   bash scripts/mutants.sh            every mutant
#   bash scripts/mutants.sh WORD       only the mutants whose name holds WORD
#   bash scripts/mutants.sh --check    only check that every mutant's text is
#                                      found, once, in the real tree
#
# Environment: MUTANTS_DIR (scratch folder, default build/mutants), JOBS
# (default 2), TEST_FILTER (gtest filter, default every test), TEST_TIMEOUT
# (seconds per test run, default 300).
#
# A mutant is a name, a file, the exact text to find (it must occur exactly
# once, else the mutant is reported "not applied") and its replacement; "\n"
# in either stands for a line break. A mutant that cannot change any output
# carries "same" and the reason: it is expected to survive.
#
# Exit status 0 when every mutant was applied and built, and every one not
# marked "same" was caught.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
root=$(pwd)

work=${MUTANTS_DIR:-$root/build/mutants}
tree=$work/tree
build=$work/build
jobs=${JOBS:-2}
filter=${TEST_FILTER:-*}
test_timeout=${TEST_TIMEOUT:-300}
check_only=0
only=""
case "${1:-}" in
  --check) check_only=1 ;;
  "") ;;
  *) only=$1 ;;
esac

# The mutants. Keys: name, file, find, into, and "same" with the reason for a
# mutant that cannot change any output; a blank line or a comment line ends
# a mutant.
mutant_list() {
  cat <<'LIST'
# ---- Rule A: the signals before a warning board.

name A-reach-19-cells
file src/track/completa_percorso.cpp
find constexpr int portata_indietro = 20;
into constexpr int portata_indietro = 19;

name A-look-back-from-the-board-itself
file src/track/completa_percorso.cpp
find for (int32_t k = 1; k <= portata_indietro
into for (int32_t k = 0; k <= portata_indietro
same k = 0 looks at the warning board's own cell, which is never a signal

name A-lowest-cell-strict
file src/track/completa_percorso.cpp
find i - k >= indice_minimo_indietro
into i - k > indice_minimo_indietro

name A-second-candidate-first
file src/track/completa_percorso.cpp
find if (libera(p)) {\n      metti_codice(st, i - k - 1);\n    } else if (libera(q)) {\n      metti_codice(st, i - k - 2);
into if (libera(q)) {\n      metti_codice(st, i - k - 2);\n    } else if (libera(p)) {\n      metti_codice(st, i - k - 1);

name A-second-code-point-lowered-first
file src/track/completa_percorso.cpp
find } else if (p.codice == codice_cella::abbattimento) {
into } else if (p.codice == codice_cella::abbattimento && q.codice != codice_cella::abbattimento) {

name A-lowered-mark-on-the-wrong-cell
file src/track/completa_percorso.cpp
find segna_abbassato(st, i - k - 2);
into segna_abbassato(st, i - k - 1);

name A-no-room-position-off-by-one
file src/track/completa_percorso.cpp
find senza_posto(st, reperto_id::codice_senza_posto_segnale, i - k, i - k, i - k - 1);
into senza_posto(st, reperto_id::codice_senza_posto_segnale, i - k - 1, i - k, i - k - 1);

name A-code-point-served-by-the-board
file src/track/completa_percorso.cpp
find st.riga_in_lettura = origine_di(st, i - k);
into st.riga_in_lettura = origine_di(st, i);

name A-minimo-arguments-swapped
file src/track/completa_percorso.cpp
find minimo(valore_codice, q.dato_a)
into minimo(q.dato_a, valore_codice)
same the smaller of two integers is the same whichever comes first

name minimo-comparison-not-strict
file src/track/completa_percorso.h
find return x > y ? y : x;
into return x >= y ? y : x;
same when x equals y both branches give the same value

# ---- Rule B: the three windows before a start board.

name B-window-5-7-second-first
file src/track/completa_percorso.cpp
find {i - 5, i - 6, i - 7}
into {i - 6, i - 5, i - 7}

name B-window-5-7-last-two-swapped
file src/track/completa_percorso.cpp
find {i - 5, i - 6, i - 7}
into {i - 5, i - 7, i - 6}

name B-window-11-13-second-first
file src/track/completa_percorso.cpp
find {i - 11, i - 12, i - 13}
into {i - 12, i - 11, i - 13}

name B-window-11-13-last-two-swapped
file src/track/completa_percorso.cpp
find {i - 11, i - 12, i - 13}
into {i - 11, i - 13, i - 12}

name B-window-18-20-second-first
file src/track/completa_percorso.cpp
find {i - 18, i - 19, i - 20}
into {i - 19, i - 18, i - 20}

name B-window-18-20-last-two-swapped
file src/track/completa_percorso.cpp
find {i - 18, i - 19, i - 20}
into {i - 18, i - 20, i - 19}

name B-window-5-7-from-board-7
file src/track/completa_percorso.cpp
find if (i > 7 &&
into if (i >= 7 &&

name B-window-11-13-from-board-15
file src/track/completa_percorso.cpp
find if (i > 13 &&
into if (i > 14 &&

name B-window-18-20-from-board-20
file src/track/completa_percorso.cpp
find if (i > 20 &&
into if (i >= 20 &&

name B-window-no-room-names-the-third-cell
file src/track/completa_percorso.cpp
find finestra(i, i - 11)
into finestra(i, i - 13)

# ---- Rule B: the walk inside the slowdown.

name B-inside-at-110
file src/track/completa_percorso.cpp
find t[i].dato_a < velocita_soglia
into t[i].dato_a <= velocita_soglia

name B-inside-threshold-109
file src/track/completa_percorso.cpp
find velocita_soglia = 110;
into velocita_soglia = 109;

name B-inside-every-9-cells
file src/track/completa_percorso.cpp
find passo_interno = 8;
into passo_interno = 9;

name B-inside-after-before-before
file src/track/completa_percorso.cpp
find } else if (libera(t[w - 1])) {\n        metti_codice(st, w - 1);\n        c = 1;\n      } else if (w + 1 <= ultima && libera(t[w + 1])) {\n        metti_codice(st, w + 1);\n        c = -1;
into } else if (w + 1 <= ultima && libera(t[w + 1])) {\n        metti_codice(st, w + 1);\n        c = -1;\n      } else if (libera(t[w - 1])) {\n        metti_codice(st, w - 1);\n        c = 1;

name B-inside-count-after-the-cell-before
file src/track/completa_percorso.cpp
find c = 1;
into c = 0;

name B-inside-count-after-the-cell-after
file src/track/completa_percorso.cpp
find c = -1;
into c = 0;

name B-inside-never-the-last-cell
file src/track/completa_percorso.cpp
find w + 1 <= ultima
into w + 1 < ultima

name B-inside-no-room-position
file src/track/completa_percorso.cpp
find interno(w, w);
into interno(w - 1, w);

name B-walk-stops-before-the-last-cell
file src/track/completa_percorso.cpp
find while (w < ultima) {
into while (w < ultima - 1) {

name B-walk-ends-before-the-end-board
file src/track/completa_percorso.cpp
find if (interni && c == passo_interno) {
into if (t[w].codice == codice_cella::fine_rallentamento) break;\n    if (interni && c == passo_interno) {

# ---- Rule B: the point before the first signal after the end board.

name B-after-reach-11
file src/track/completa_percorso.cpp
find portata_avanti = 12;
into portata_avanti = 11;

name B-after-not-the-last-cell
file src/track/completa_percorso.cpp
find j <= ultima; ++j
into j < ultima; ++j

name B-after-second-candidate-first
file src/track/completa_percorso.cpp
find if (libera(t[s])) {\n      metti_codice(st, s);\n    } else if (libera(t[s - 1])) {\n      metti_codice(st, s - 1);
into if (libera(t[s - 1])) {\n      metti_codice(st, s - 1);\n    } else if (libera(t[s])) {\n      metti_codice(st, s);

name B-after-every-signal
file src/track/completa_percorso.cpp
find       interno(w, s);\n    }\n    return;
into       interno(w, s);\n    }

name B-after-no-room-position
file src/track/completa_percorso.cpp
find interno(w, s);
into interno(s, s);

name B-after-guard-at-cell-1
file src/track/completa_percorso.cpp
find if (s <= 0) return;
into if (s <= 1) return;
same s is at least 2: the walk ends on the board's cell + 1 or later (at least cell 2), and the signal lies after the end board or on the last cell, which is at least the board's cell + 2

name B-after-guard-at-cell-2
file src/track/completa_percorso.cpp
find if (s <= 0) return;
into if (s <= 2) return;

name B-after-from-the-cell-before-the-end
file src/track/completa_percorso.cpp
find for (int32_t j = w; j <= w + portata_avanti
into for (int32_t j = w - 1; j <= w + portata_avanti

# ---- Both rules: the scan, the value placed, the findings.

name scan-to-the-second-last-cell
file src/track/completa_percorso.cpp
find st.percorso.size()) - 3;
into st.percorso.size()) - 2;

name scan-from-cell-0
file src/track/completa_percorso.cpp
find for (int32_t i = 1; i <= limite; ++i) {
into for (int32_t i = 0; i <= limite; ++i) {

name scan-from-the-end
file src/track/completa_percorso.cpp
find for (int32_t i = 1; i <= limite; ++i) {
into for (int32_t i = limite; i >= 1; --i) {

name scan-both-rules-on-one-cell
file src/track/completa_percorso.cpp
find } else if (codice == codice_cella::inizio_rallentamento) {
into }\n    if (codice == codice_cella::inizio_rallentamento) {
same the board's code is read once before rule A, so at most one of the two rules matches

name code-value-181
file src/track/completa_percorso.cpp
find valore_codice = 180;
into valore_codice = 181;

name no-room-finding-position-of-the-feature
file src/track/completa_percorso.cpp
find r.posizione = indice * 50;
into r.posizione = origine * 50;

name no-room-finding-names-the-cell-itself
file src/track/completa_percorso.cpp
find r.origine = origine_di(st, presa);
into r.origine = origine_di(st, indice);

# ---- The stamps and the race codes.

name stamp-check-inverted
file src/track/memorizza_percorso.cpp
find if (intestazione.valore_1 != 0 || prima.dato_a != 0) {
into if (intestazione.valore_1 != 0 || prima.dato_a == 0) {

name stamp-check-without-cell-1
file src/track/memorizza_percorso.cpp
find if (intestazione.orario != 0 || prima.dato_b != 0) {
into if (intestazione.orario != 0) {

name race-codes-in-the-other-order
file src/track/memorizza_percorso.cpp
find intestazione.orario = codice_gara_st(st);\n  prima.dato_b = codice_gara_og(st);
into prima.dato_b = codice_gara_og(st);\n  intestazione.orario = codice_gara_st(st);
same each race code reads only the two identifiers, which neither writes

name race-code-24-characters
file src/track/race_codes.cpp
find caratteri_contati = 25;
into caratteri_contati = 24;

name race-code-weights-from-2
file src/track/race_codes.cpp
find totale += pesata ? i * c : c;
into totale += pesata ? (i + 1) * c : c;

name race-code-filler-last-letter
file src/track/race_codes.cpp
find "aabbccddeeffgghhiillmmnnoo"
into "aabbccddeeffgghhiillmmnnox"

name race-code-lower-case-of-0xD8
file src/track/race_codes.cpp
find c != 0xD7
into c != 0xD8

# ---- The encoders of the reader.

name signal-sides-times-4
file src/reader/encoders.cpp
find const int64_t lati = int64_t{r.sx} * 3 + r.dx;
into const int64_t lati = int64_t{r.sx} * 4 + r.dx;

name signal-time-100-kept
file src/reader/encoders.cpp
find if (tempo >= 1 && tempo <= 100) tempo = 101;
into if (tempo >= 1 && tempo < 100) tempo = 101;

name slowdown-warning-at-1500
file src/reader/encoders.cpp
find const bool avviso = x > 1500;
into const bool avviso = x >= 1500;

name slowdown-approach-marks-a-cell-early
file src/reader/encoders.cpp
find const int64_t a = indice_cella((x - 1200.0) / 50);
into const int64_t a = indice_cella((x - 1200.0) / 50 - 1);

name mountain-marker-on-the-first-cell
file src/reader/encoders.cpp
find conta % 4 == 0
into conta % 4 == 1

name mountain-gap-150-strict
file src/reader/encoders.cpp
find st.montagna_fine[n] <= 150)
into st.montagna_fine[n] < 150)

name indicator-speeds-truncated
file src/reader/encoders.cpp
find arrotonda_a<int16_t>(prima * 20.0 + seconda / 5.0)
into arrotonda_a<int16_t>(std::trunc(prima * 20.0 + seconda / 5.0))

name rounding-half-away-from-zero
file src/base/rounding.h
find inline double arrotonda(double q) { return std::nearbyint(q); }
into inline double arrotonda(double q) { return std::round(q); }

# ---- The binary files.

name line-plan-integer-4-bytes
file src/format/layout.h
find return sizeof(int16_t);
into return sizeof(int32_t);

name line-plan-real-counted-as-integer
file src/track/binary_files.cpp
find constexpr size_t byte_reale = dimensione_tag + larghezza_valore(tracciato_t::reale);
into constexpr size_t byte_reale = dimensione_tag + larghezza_valore(tracciato_t::intero);

name line-plan-first-two-points-from-3
file src/track/binary_files.cpp
find if (t.posati >= 2) {
into if (t.posati > 2) {

name files-written-in-pieces-of-64-KiB
file src/track/binary_files.cpp
find byte_per_pezzo = size_t{1} << 20;
into byte_per_pezzo = size_t{1} << 16;
same the pieces are written side by side at their offsets: only the number of writes changes
LIST
}

# Replaces the one occurrence of $2 in file $1 by $3. Prints the number of
# occurrences and fails when it is not exactly one. With $4 = check, only
# counts.
substitute() {
  perl -e '
    my ($path, $find, $into, $mode) = @ARGV;
    s/\\n/\n/g for ($find, $into);
    open my $in, "<", $path or do { print "0 (no such file)\n"; exit 3 };
    local $/;
    my $text = <$in>;
    close $in;
    my $n = () = $text =~ /\Q$find\E/g;
    if ($n != 1) { print "$n\n"; exit 3 }
    exit 0 if $mode eq "check";
    substr($text, index($text, $find), length $find) = $into;
    open my $out, ">", $path or die "$path: $!\n";
    print $out $text;
    close $out or die "$path: $!\n";
  ' "$@"
}

# The mutants, read from the end of this file into parallel arrays.
names=() files=() finds=() intos=() sames=()
load_mutants() {
  local key value name="" file="" find="" into="" same=""
  flush() {
    if [ -n "$name" ]; then
      names+=("$name") files+=("$file") finds+=("$find") intos+=("$into") sames+=("$same")
    fi
    name="" file="" find="" into="" same=""
  }
  while IFS= read -r line; do
    case "$line" in
      "" | "#"*) flush; continue ;;
    esac
    key=${line%% *}
    value=${line#"$key"}
    value=${value#"${value%%[! ]*}"}  # leading blanks
    case "$key" in
      name) flush; name=$value ;;
      file) file=$value ;;
      find) find=$value ;;
      into) into=$value ;;
      same) same=$value ;;
      *) echo "mutants: unknown key '$key' in: $line" >&2; exit 2 ;;
    esac
  done < <(mutant_list)
  flush
}
load_mutants

if [ "$check_only" -eq 1 ]; then
  bad=0
  for i in "${!names[@]}"; do
    if ! n=$(substitute "$root/${files[$i]}" "${finds[$i]}" "" check); then
      echo "not applied  ${names[$i]}: text found $n times in ${files[$i]}"
      bad=1
    fi
  done
  echo "${#names[@]} mutants listed"
  exit $bad
fi

# The scratch copy: every file git knows of or would add, copied where it
# differs from the copy (so unchanged files keep their times and the build
# stays incremental); files gone from the real tree are removed.
sync_tree() {
  mkdir -p "$tree"
  local list
  list=$(mktemp)
  git -C "$root" ls-files -co --exclude-standard | sort >"$list"
  while IFS= read -r f; do
    [ -f "$root/$f" ] || continue
    if ! cmp -s "$root/$f" "$tree/$f"; then
      mkdir -p "$(dirname "$tree/$f")"
      cp "$root/$f" "$tree/$f"
    fi
  done <"$list"
  (cd "$tree" && find . -type f | sed 's|^\./||' | sort) | comm -13 "$list" - |
    while IFS= read -r f; do rm -f "$tree/$f"; done
  rm -f "$list"
}

build_tests() {
  cmake --build "$build" --target scenario_tests -j "$jobs" >"$work/build.log" 2>&1
}

run_tests() {
  # In a subshell of its own, so that a crash is told in the log, not here.
  (
    timeout "$test_timeout" "$build/scenario_tests" --gtest_filter="$filter" \
      --gtest_fail_fast --gtest_brief=1
    exit $?
  ) >"$work/tests.log" 2>&1
}

# The file a mutant changed is put back whatever ends the run.
current=""
restore() {
  if [ -n "$current" ]; then
    cp "$root/$current" "$tree/$current"
    current=""
  fi
}
trap restore EXIT
trap 'restore; exit 130' INT TERM

mkdir -p "$work"
sync_tree
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$tree" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
    -DSCENARIO_DESKTOP=OFF -DSCENARIO_WINDOWS_TESTS=OFF >"$work/configure.log" 2>&1 ||
    { echo "mutants: configure failed, see $work/configure.log"; exit 2; }
fi
echo "mutants: building the unmutated tests in $build"
build_tests || { echo "mutants: the unmutated tree does not build, see $work/build.log"; exit 2; }
run_tests || { echo "mutants: the unmutated tests fail, see $work/tests.log"; exit 2; }

caught=0 survived=0 same_survived=0 same_caught=0 not_applied=0 not_built=0 total=0
survivors=()
started=$(date +%s)
for i in "${!names[@]}"; do
  name=${names[$i]}
  if [ -n "$only" ] && [[ "$name" != *"$only"* ]]; then continue; fi
  total=$((total + 1))
  file=${files[$i]}
  current=$file
  cp "$root/$file" "$tree/$file"
  if ! n=$(substitute "$tree/$file" "${finds[$i]}" "${intos[$i]}"); then
    restore
    echo "not applied  $name (text found $n times in $file)"
    not_applied=$((not_applied + 1))
    continue
  fi
  if ! build_tests; then
    restore
    echo "not built    $name (see the compiler: rerun with only this mutant)"
    not_built=$((not_built + 1))
    continue
  fi
  run_tests
  code=$?
  how=""
  case $code in
    0) status=survived ;;
    124) status=caught how=" (the tests timed out)" ;;
    1) status=caught ;;
    *) status=caught how=" (the tests ended with status $code)" ;;
  esac
  restore
  if [ -n "${sames[$i]}" ]; then
    if [ "$status" = survived ]; then
      echo "same         $name"
      same_survived=$((same_survived + 1))
    else
      echo "SAME CAUGHT  $name (marked as changing nothing, yet a test fails)"
      same_caught=$((same_caught + 1))
    fi
  elif [ "$status" = caught ]; then
    echo "caught       $name$how"
    caught=$((caught + 1))
  else
    echo "SURVIVED     $name"
    survived=$((survived + 1))
    survivors+=("$name")
  fi
done

echo
echo "mutants: $total run in $(( $(date +%s) - started )) s: $caught caught," \
  "$survived survived, $same_survived equivalent (survived as expected)," \
  "$same_caught equivalent but caught, $not_applied not applied, $not_built not built"
for s in "${survivors[@]}"; do echo "  survived: $s"; done
[ "$survived" -eq 0 ] && [ "$same_caught" -eq 0 ] && [ "$not_applied" -eq 0 ] &&
  [ "$not_built" -eq 0 ]
exit $?
