#!/usr/bin/python3
"""A TCP relay between the program and the database server that a test cuts
and restores, as a network does. Prints the port it listens on, then "cut" or
"restored" after SIGUSR1 (close every relayed connection, refuse new ones) and
SIGUSR2 (listen again on the same port)."""
import asyncio
import signal
import sys

TARGET = ("127.0.0.1", int(sys.argv[1]))
port = 0
server = None
writers = set()


async def pipe(reader, writer):
    try:
        while data := await reader.read(65536):
            writer.write(data)
            await writer.drain()
    except (ConnectionError, asyncio.CancelledError):
        pass
    finally:
        writer.close()


async def relay(client_reader, client_writer):
    try:
        server_reader, server_writer = await asyncio.open_connection(*TARGET)
    except OSError:
        client_writer.close()
        return
    writers.update({client_writer, server_writer})
    await asyncio.gather(pipe(client_reader, server_writer), pipe(server_reader, client_writer))
    writers.difference_update({client_writer, server_writer})


async def listen():
    global server, port
    server = await asyncio.start_server(relay, "127.0.0.1", port, reuse_address=True)
    port = server.sockets[0].getsockname()[1]


def say(text):
    print(text, flush=True)


async def main():
    await listen()
    loop = asyncio.get_running_loop()

    def cut():
        server.close()
        for w in list(writers):
            w.transport.abort()
        writers.clear()
        say("cut")

    def restore():
        async def again():
            await listen()
            say("restored")
        asyncio.ensure_future(again())

    loop.add_signal_handler(signal.SIGUSR1, cut)
    loop.add_signal_handler(signal.SIGUSR2, restore)
    loop.add_signal_handler(signal.SIGTERM, loop.stop)
    say(str(port))
    await asyncio.Event().wait()


asyncio.run(main())
