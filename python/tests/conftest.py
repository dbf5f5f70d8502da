"""What the module's tests share: the repository's example files and quelmar-cli, whose figures
and messages the module must give as well. ctest sets QUELMAR_CLI and QUELMAR_SOURCE_DIR."""
import json
import os
import subprocess

import pytest

SOURCE = os.environ.get("QUELMAR_SOURCE_DIR",
                        os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))


def example(name):
    return os.path.join(SOURCE, "examples", name)


@pytest.fixture
def cli():
    """Runs quelmar-cli: the JSON it prints, or the message of its failure."""
    program = os.environ.get("QUELMAR_CLI", os.path.join(SOURCE, "build", "bin", "quelmar-cli"))

    def run(*args, fails=False):
        done = subprocess.run([program, *args], capture_output=True, text=True)
        assert (done.returncode != 0) == fails, done.stderr
        if fails:
            return done.stderr.strip().removeprefix("quelmar-cli: ")
        return json.loads(done.stdout) if "--json" in args else done.stdout
    return run
