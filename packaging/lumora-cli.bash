# bash completion for lumora-cli                           -*- shell-script -*-
# Subcommands and their options; interface names for --iface from
# /sys/class/net; print queue names (lpstat -e, when CUPS' client is there)
# for printer, status and uninstall.

_lumora_cli_queues() {
    command -v lpstat >/dev/null 2>&1 && lpstat -e 2>/dev/null
}

_lumora_cli() {
    local cur prev words cword
    _init_completion || return

    local commands="discover set query journal settings adapters printer install uninstall status help"
    local command="" i
    for ((i = 1; i < cword; i++)); do
        if [[ " $commands " == *" ${words[i]} "* ]]; then
            command=${words[i]}
            break
        fi
    done

    case $prev in
        --iface)
            local ifaces
            ifaces=$(command ls /sys/class/net 2>/dev/null | grep -vx lo)
            COMPREPLY=($(compgen -W "all $ifaces" -- "$cur"))
            return ;;
        --ini | --from-csv)
            _filedir
            return ;;
        --protocol)
            COMPREPLY=($(compgen -W "udp tcp" -- "$cur"))
            return ;;
        --uri)
            COMPREPLY=($(compgen -W "socket lpd ipp" -- "$cur"))
            return ;;
        --dhcp)
            COMPREPLY=($(compgen -W "1 0" -- "$cur"))
            return ;;
        --ip | --mask | --gateway | --mac | --name | --host | --attempts | --queue | \
        --since | --watch)
            return ;;
    esac

    local options=""
    case $command in
        "")
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--help --version" -- "$cur"))
            else
                COMPREPLY=($(compgen -W "$commands" -- "$cur"))
            fi
            return ;;
        discover) options="--ini --json --csv --debug --iface --host --no-broadcast --report --repeat" ;;
        set) options="--mac --ip --mask --gateway --name --dhcp --attempts --check --force
                      --no-verify --from-csv --dry-run --ini --debug" ;;
        query) options="--ip --ini --debug" ;;
        journal) options="--since" ;;
        settings) options="--ini" ;;
        adapters) options="" ;;
        printer) options="--trace" ;;
        install) options="--ip --mac --queue --uri --protocol --replace --system --ini" ;;
        uninstall) options="" ;;
        status) options="--json --watch" ;;
        help) return ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "--help $options" -- "$cur"))
        return
    fi

    # The first word after the subcommand that is no option or option value.
    local args=0
    for ((i = i + 1; i < cword; i++)); do
        case ${words[i]} in
            -*) ;;
            *) case ${words[i - 1]} in
                   --ini | --from-csv | --iface | --protocol | --uri | --dhcp | --ip | --mask | \
                   --gateway | --mac | --name | --host | --attempts | --queue | --since | --watch) ;;
                   *) ((args++)) ;;
               esac ;;
        esac
    done
    case $command in
        printer)
            if ((args == 0)); then
                COMPREPLY=($(compgen -W "$(_lumora_cli_queues)" -- "$cur"))
            elif ((args == 1)); then
                COMPREPLY=($(compgen -W "GetStatusEth GetGSIEth GetReleaseEth GetHeadTempEth
                    GetPowVoltageEth GetTotNumOfPowerOnEth GetNumTotCutEth GetTotNumOfRetractEth
                    GetTotPaperRemainingEth GetTotPaperPrintedEth GetTimeToCutEth
                    GetRetractEnDisEth GetNotchEnDisEth GetNotchDistanceEth GetNotchThresholdEth
                    SendResetEth SendResetIIEth SendResetIIIEth SendEnDisRecyclePrnEth
                    SendReceiveDataEth" -- "$cur"))
            fi ;;
        status | uninstall)
            ((args == 0)) && COMPREPLY=($(compgen -W "$(_lumora_cli_queues)" -- "$cur")) ;;
        query)
            ((args == 0)) && COMPREPLY=($(compgen -W "full-status device-id" -- "$cur")) ;;
        *)
            COMPREPLY=($(compgen -W "$options" -- "$cur")) ;;
    esac
} &&
    complete -F _lumora_cli lumora-cli

# ex: filetype=sh
