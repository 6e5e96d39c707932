# bash completion for kvt-config: commands, their options, .kvc files and serial devices.
# The commands and options follow the program's command table; tests/cli/completion_test.sh
# checks them against kvt-config --help and each COMMAND --help.

_kvt_config() {
  local cur=${COMP_WORDS[COMP_CWORD]}
  local prev=
  ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
  local commands="show read write verify diff ports sheet report log"
  local command= word
  for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
    if [[ " $commands " == *" $word "* ]]; then
      command=$word
      break
    fi
  done

  COMPREPLY=()
  case $prev in
    --port)
      local devices=() device
      for device in /dev/ttyS* /dev/ttyUSB* /dev/ttyACM* /dev/serial/by-id/*; do
        [[ -e $device ]] && devices+=("$device")
      done
      mapfile -t COMPREPLY < <(compgen -W "${devices[*]}" -- "$cur")
      return
      ;;
    -o | --file)
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
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
  elif [[ -z $command ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$commands" -- "$cur")
  else
    case $command in
      show | write | verify | diff | sheet | report)
        # Configuration files, and folders to find them in.
        mapfile -t COMPREPLY < <(compgen -d -- "$cur"; compgen -f -X '!*.kvc' -- "$cur")
        compopt -o filenames 2>/dev/null
        ;;
    esac
  fi
}

complete -F _kvt_config kvt-config
