# Removes the Orvanta suite from every server named in domino-servers.txt, one
# after the other, and collects each server's reports as JSON lines in
# .\removal-results\SERVER.jsonl. Servers where a restart finishes the removal
# (3010) are restarted; the table at the end says how each one ended.
$servers = Get-Content .\domino-servers.txt
$results = New-Item -ItemType Directory -Force .\removal-results
$meanings = @{
    0    = 'removed'
    3010 = 'removed, restarting'
    1602 = 'stopped by the user'
    1603 = 'still installed, or the uninstaller could not run'
    1605 = 'nothing of the suite installed'
    1618 = 'another uninstaller is removing: run again later'
    1639 = 'bad command line'
}
$summary = foreach ($server in $servers) {
    $run = Invoke-Command -ComputerName $server -ScriptBlock {
        $program = Join-Path $env:SystemRoot 'ovuninstall.exe'
        if (-not (Test-Path $program)) {
            return [pscustomobject]@{ ExitCode = 1605; Lines = @() }
        }
        $log = Join-Path $env:SystemRoot 'Temp\ovuninstall.log'
        $lines = & $program remove --all --yes --json --log $log
        [pscustomobject]@{ ExitCode = $LASTEXITCODE; Lines = @($lines) }
    }
    $run.Lines | Set-Content (Join-Path $results "$server.jsonl")
    $calls = $run.Lines | Where-Object { $_ -like '{"call":*' } |
        ForEach-Object { $_ | ConvertFrom-Json }
    if ($run.ExitCode -eq 3010) {
        Restart-Computer -ComputerName $server -Force
    }
    $meaning = $meanings[[int]$run.ExitCode]
    if (-not $meaning) { $meaning = 'unknown exit code' }
    [pscustomobject]@{
        Server         = $server
        ExitCode       = $run.ExitCode
        Meaning        = $meaning
        Removed        = ($calls | Where-Object rescan -eq 'removed' |
                          ForEach-Object { "$($_.name) $($_.version)" }) -join ', '
        StillInstalled = ($calls | ForEach-Object { $_.'still installed' }) -join ', '
    }
}
$summary | Format-Table -AutoSize
