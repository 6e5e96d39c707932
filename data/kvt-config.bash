# bash completion for kvt-config: commands, their options, .kvc files and serial devices.
# The commands and options follow the program's command table; tests/cli/completion_test.sh
# checks them against kvt-config --help and each COMMAND --help.

# The folder the serial devices are looked for in; the completion test points it elsewhere.
_kvt_config_dev=/dev

# The serial devices present, the stable /dev/serial/by-id names first: they survive replugging.
_kvt_config_devices() {
  local device
  for device in "$_kvt_config_dev"/serial/by-id/* "$_kvt_config_dev"/ttyUSB* \
    "$_kvt_config_dev"/ttyACM* "$_kvt_config_dev"/ttyS*; do
    [[ -e $device ]] && printf '%s\n' "$device"
  done
}

_kvt_config() {
  local cur=${COMP_WORDS[COMP_CWORD]}
  local prev=
  ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
  local commands="show read write verify diff ports sheet report log"
  local command= probe= word
  for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
    if [[ -z $command && " $commands " == *" $word "* ]]; then
      command=$word
    elif [[ $word == --probe ]]; then
      probe=yes
    fi
  done

  COMPREPLY=()
  case $prev in
    --port)
      mapfile -t COMPREPLY < <(compgen -W "$(_kvt_config_devices)" -- "$cur")
      compopt -o nosort 2>/dev/null
      return
      ;;
    --page)
      mapfile -t COMPREPLY < <(compgen -W "a4 letter" -- "$cur")
      return
      ;;
    -o | --file)
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      compopt -o filenames 2>/dev/null
      return
      ;;
    --name | --since | -n)
      return
      ;;
  esac

  local options
  case $command in
    "") options="--help --version" ;;
    show | diff) options="--json --help" ;;
    read) options="--port --json --name -o --quiet --verbose --help" ;;
    write) options="--port --each --quiet --verbose --help" ;;
    verify) options="--port --quiet --verbose --help" ;;
    ports) options="--port --probe --json --quiet --verbose --help" ;;
    sheet | report) options="-o --page --help" ;;
    log) options="--json --since --file -n --help" ;;
  esac

  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    return
  fi
  case $command in
    "")
      # A command, or a configuration file for the window to open.
      mapfile -t COMPREPLY < <(
        compgen -W "$commands" -- "$cur"
        compgen -d -- "$cur"
        compgen -f -X '!*.kvc' -- "$cur"
      )
      compopt -o filenames 2>/dev/null
      ;;
    show | write | verify | diff | sheet | report)
      # Configuration files, and folders to find them in.
      mapfile -t COMPREPLY < <(
        compgen -d -- "$cur"
        compgen -f -X '!*.kvc' -- "$cur"
      )
      compopt -o filenames 2>/dev/null
      ;;
    ports)
      # ports --probe DEV...: the devices to probe.
      if [[ -n $probe ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(_kvt_config_devices)" -- "$cur")
        compopt -o nosort 2>/dev/null
      fi
      ;;
  esac
}

complete -F _kvt_config kvt-config
