# Sourced by the loader comparisons. run_tool SIDE FOLDER NAME COMMAND...
# runs one build of quellor-texcheck on one file, from the file's folder,
# and keeps in $results/SIDE.{txt,err,status,ppm} its text, its errors, its
# status and its picture, if any.
run_tool() {
  local side=$1 folder=$2 name=$3
  shift 3
  rm -f "$results/$side.ppm"
  (cd "$folder" && exec "$@" "$name" "$results/$side.ppm") </dev/null \
    >"$results/$side.txt" 2>"$results/$side.err"
  echo $? >"$results/$side.status"
}
