#!/usr/bin/env bash
# Runs the print test program, then reads the PDF of every job it lists in printjobs.txt:
# "JOB <title> <pages>" (0 pages: any number), "PAGE <n> <text>" (page n of that job's file holds
# the text), "ONCE <regex>" (exactly one line of the whole job matches the extended regular
# expression), "LINES <n> <count>" (page n holds that many lines that are not blank) and
# "HEADERS" (every page n of the job reads "Page n of <pages>").
# A job's file is "<title>...-job_<n>.pdf" (the name may carry more after the title) in the
# queue's folder: this build's printed folder, or the one the queue was pointed at by another
# run sharing it. Only files made during this run count, each for one job, oldest first.
set -u
printed="$1"
shift
rm -f printjobs.txt
stamp=$(mktemp)
trap 'rm -f "$stamp"' EXIT
"$@" || exit $?
[ -f printjobs.txt ] || { echo "no jobs were listed"; exit 1; }
folders() {
  echo "$printed"
  sed -n 's/^Out //p' /etc/cups/cups-pdf-NumbrookPDF.conf 2>/dev/null
}
used=" "
find_job() {
  local title="$1" d f
  for f in $(for d in $(folders); do
               find "$d" -maxdepth 1 -name "$title*-job_*.pdf" -newer "$stamp" -printf '%T@ %p\n' 2>/dev/null
             done | sort -n | cut -d' ' -f2-); do
    case "$used" in *" $f "*) continue ;; esac
    echo "$f"
    return 0
  done
  return 1
}
failed=0
file=""
while read -r kind a b; do
  if [ "$kind" = JOB ]; then
    title="$a"
    file=""
    for _ in $(seq 1 600); do
      if [ -z "$(lpstat -o NumbrookPDF 2>/dev/null)" ] && file=$(find_job "$title"); then break; fi
      sleep 0.1
    done
    if [ -z "$file" ]; then echo "FAIL: no PDF for $title"; failed=1; continue; fi
    used="$used$file "
    pages=$(pdfinfo "$file" | sed -n 's/^Pages: *//p')
    if [ "$b" != 0 ] && [ "$pages" != "$b" ]; then echo "FAIL: $title has $pages pages, not $b"; failed=1; fi
    echo "job $title: $file, $pages pages"
    text=$(pdftotext -layout "$file" -)
  elif [ "$kind" = PAGE ] && [ -n "$file" ]; then
    if ! pdftotext -layout -f "$a" -l "$a" "$file" - | grep -qF -- "$b"; then
      echo "FAIL: page $a of $title lacks \"$b\""
      failed=1
    fi
  elif [ "$kind" = ONCE ] && [ -n "$file" ]; then
    n=$(printf '%s\n' "$text" | grep -cE -- "$a${b:+ $b}")
    if [ "$n" != 1 ]; then
      echo "FAIL: $title has $n lines matching \"$a${b:+ $b}\", not 1"
      failed=1
    fi
  elif [ "$kind" = HEADERS ] && [ -n "$file" ]; then
    for n in $(seq 1 "$pages"); do
      if ! pdftotext -layout -f "$n" -l "$n" "$file" - | grep -qF -- "Page $n of $pages"; then
        echo "FAIL: page $n of $title lacks \"Page $n of $pages\""
        failed=1
      fi
    done
  elif [ "$kind" = LINES ] && [ -n "$file" ]; then
    n=$(pdftotext -layout -f "$a" -l "$a" "$file" - | grep -c '[^[:space:]]')
    if [ "$n" != "$b" ]; then
      echo "FAIL: page $a of $title holds $n lines, not $b"
      failed=1
    fi
  fi
done < printjobs.txt
exit $failed
