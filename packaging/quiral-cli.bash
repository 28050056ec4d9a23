# Bash completion for quiral-cli: commands, options, option values, and file names by the
# extensions each command reads or writes.
_quiral_cli() {
  local cur prev words cword
  _init_completion || return

  local commands="block catalog convert diff index list pins render render-all search site text tokens"
  if ((cword == 1)); then
    mapfile -t COMPREPLY < <(compgen -W "$commands --help --version" -- "$cur")
    return
  fi

  local command=${words[1]}
  case $prev in
    --kind)
      mapfile -t COMPREPLY < <(compgen -W "drawings list" -- "$cur")
      return ;;
    --format)
      mapfile -t COMPREPLY < <(compgen -W "png svg pdf" -- "$cur")
      return ;;
    --look)
      mapfile -t COMPREPLY < <(compgen -W "kicad specified" -- "$cur")
      return ;;
    --lang)
      mapfile -t COMPREPLY < <(compgen -W "en pt_BR" -- "$cur")
      return ;;
    --sort)
      mapfile -t COMPREPLY < <(compgen -W "alias lib" -- "$cur")
      return ;;
    --style)
      mapfile -t COMPREPLY < <(compgen -W "1 2" -- "$cur")
      return ;;
    --index | --unit | --scale | --jobs | --limit | --find)
      return ;;
    --png)
      _filedir -d
      return ;;
    --qrp)
      _filedir qrp
      return ;;
    -o)
      case $command in
        render) _filedir '@(png|svg|pdf)' ;;
        render-all) _filedir -d ;;
        convert) _filedir lib ;;
        diff) _filedir '@(html|pdf)' ;;
        *) _filedir pdf ;;
      esac
      return ;;
  esac

  local options=""
  case $command in
    list) options="--aliases" ;;
    block) options="--index" ;;
    pins) options="--csv --json" ;;
    render) options="-o --index --unit --style --scale --look --info" ;;
    render-all) options="-o --format --all-units --look --no-write --jobs" ;;
    catalog) options="--kind --qrp --png -o --fine --first-unit --look --lang" ;;
    index) options="--find --sort" ;;
    search) options="--limit --json --no-cache" ;;
    site) options="-o --title" ;;
    diff) options="--json -o" ;;
  esac
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    return
  fi
  case $command in
    index) _filedir -d ;;
    convert) _filedir kicad_sym ;;
    tokens) ;;
    catalog | search | diff) _filedir '@(lib|kicad_sym)' ;;
    *) _filedir '@(lib|kicad_sym)' ;;
  esac
} &&
  complete -F _quiral_cli quiral-cli
